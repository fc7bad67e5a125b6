#include "ui/CardFileLine.h"

#include "ui/CodePage.h"

namespace ostra {

namespace {

constexpr int kNameColumns = 13;

} // namespace

QString CardFileDescription(const TConfigRecord& record)
{
    if (IsBlankConfig(record))
        return QStringLiteral("<Blank Config File>");
    // The list draws in an ANSI font, so the description's bytes are shown
    // as Windows-1252 characters, one for each byte.
    return CodePage1252().Decode(ReadConfigText(record, layout::kDescriptionOffset, layout::kDescriptionWidth));
}

QString CardFileLine(const QString& fileName, const QString& description)
{
    return QLatin1Char('[') + fileName.rightJustified(kNameColumns, QLatin1Char(' ')) + QStringLiteral("]   ")
        + description;
}

} // namespace ostra
