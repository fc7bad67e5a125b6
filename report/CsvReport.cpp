#include "report/CsvReport.h"

#include <QIODevice>
#include <QString>

#include "config/CardFileLine.h"
#include "config/ConfigFields.h"

namespace ostra::report {

namespace {

constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// The fields set takes, and the versions, which only show.
bool isColumn(const ConfigField& field)
{
    return field.Settable || field.Kind == FieldKind::Version;
}

std::string lowercase(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string wallplateList(const TConfigRecord& record, int zone)
{
    std::string names;
    for (int w = 1; w <= layout::kWallplateCount; ++w) {
        if (!ZoneFeedsWallplate(record, zone, w))
            continue;
        if (!names.empty())
            names += ',';
        names += WallplateName(w);
    }
    return names;
}

// A text without the padding after it: set pads a text with spaces again,
// so the cell gives back the same bytes.
std::string unpadded(std::string text)
{
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A field's value as ostra-cfg set takes it; a version as the window shows it.
std::string settingValue(const TConfigRecord& record, const ConfigField& field)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return unpadded(DecodeToUtf8(ReadFieldText(record, field), CharacterSetOf(field.Page)));
    case FieldKind::Flag:
        return ReadFieldBit(record, field) ? "on" : "off";
    case FieldKind::ScreenMode:
        return lowercase(ReadFieldBit(record, field) ? kProfessionalMode : kResidentialMode);
    case FieldKind::Wallplates:
        return wallplateList(record, field.Index);
    case FieldKind::Version:
        return VersionAsShown(record, field);
    }
    return {};
}

} // namespace

CsvReportWriter::CsvReportWriter(QIODevice& out) : out_(out)
{
    std::vector<std::string> header{"file"};
    for (const ConfigField& field : ConfigFields())
        if (isColumn(field))
            header.push_back(field.Key);
    header.push_back(kLengthWarningColumn);
    header.push_back("error");
    writeRow(header);
}

void CsvReportWriter::Summary(const std::vector<SummaryRow>&)
{
    // The rows themselves are the summary.
}

void CsvReportWriter::Unit(const ReportUnit& unit)
{
    // A CSV is UTF-8 throughout: a name's bytes that are no UTF-8 read as U+FFFD.
    std::vector<std::string> cells{QString::fromUtf8(unit.File.Path).toStdString()};
    const bool blank = unit.Record && IsBlankConfig(*unit.Record);
    for (const ConfigField& field : ConfigFields()) {
        if (!isColumn(field))
            continue;
        if (!unit.Record)
            cells.emplace_back();
        else if (blank)
            cells.push_back(field.Key == "description" ? kBlankConfigDescription : "");
        else
            cells.push_back(settingValue(*unit.Record, field));
    }
    cells.push_back(LengthWarning(unit.File));
    cells.push_back(unit.Error);
    writeRow(cells);
}

bool CsvReportWriter::Finish()
{
    return true;
}

void CsvReportWriter::writeRow(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvCell(cells[i]);
    }
    line += "\r\n";
    out_.write(line.data(), static_cast<qint64>(line.size()));
}

std::string CsvCell(std::string_view text)
{
    std::string cell;
    if (!text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos)
        cell += '\'';
    cell += text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace ostra::report
