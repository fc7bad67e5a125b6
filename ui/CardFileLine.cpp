#include "ui/CardFileLine.h"

#include "ui/CodePage.h"

#include <algorithm>

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
    // Built in one buffer: a card of thousands of files makes as many lines.
    const qsizetype padding = std::max<qsizetype>(0, kNameColumns - fileName.size());
    QString line;
    line.reserve(1 + padding + fileName.size() + 4 + description.size());
    line += QLatin1Char('[');
    line.resize(1 + padding, QLatin1Char(' '));
    line += fileName;
    line += QLatin1String("]   ");
    line += description;
    return line;
}

} // namespace ostra
