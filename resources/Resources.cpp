#include "resources/Resources.h"

#include <QFile>

namespace ostra {

QByteArray ReadResource(const char* name)
{
    QFile file(QStringLiteral(":/ostra/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace ostra
