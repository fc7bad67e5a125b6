#include "report/CsvReport.h"

#include <QIODevice>
#include <QString>

#include "config/CardFileLine.h"
#include "config/ConfigFields.h"
#include "config/FieldText.h"

namespace ostra::report {

namespace {

constexpr std::string_view kFormulaStarts = "=+-@\t\r";

// The fields set takes, and the versions, which only show.
bool isColumn(const ConfigField& field)
{
    return field.Settable || field.Kind == FieldKind::Version;
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
            cells.push_back(ValueAsSet(*unit.Record, field));
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
