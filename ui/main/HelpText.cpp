#include "ui/main/HelpText.h"

#include "resources/Resources.h"

namespace ostra {

QString HelpText()
{
    QString text = QString::fromUtf8(ReadResource("HelpText.txt"));
    // The file ends its last line like any text file; the memo's last
    // line has no break after it.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace ostra
