#include "ui/widgets/DisplayText.h"

namespace ostra {

QString DisplayName(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString LiteralWindowTitle(const QString& text)
{
    QString title = text;
    return title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

} // namespace ostra
