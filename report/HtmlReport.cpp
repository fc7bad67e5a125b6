#include "report/HtmlReport.h"

#include <QIODevice>

namespace ostra::report {

namespace {

constexpr std::string_view kStyle = R"(
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 10pt; margin: 1.5em; }
h1 { font-size: 15pt; margin: 0 0 0.3em 0; }
h2 { font-size: 11pt; margin: 1em 0 0.3em 0; }
section { margin-bottom: 3em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 1px 6px; text-align: left; vertical-align: top; }
th { background: #eee; }
table.lines th { background: none; border: none; padding-left: 0; }
table.lines td { border: none; }
table.overview td { text-align: center; min-width: 6em; }
table.overview td:first-child { text-align: left; white-space: nowrap; }
div.names { display: flex; gap: 3em; }
p.unsaved, p.length, span.length { color: #b00; font-weight: bold; }
p.notice { font-style: italic; }
@media print { section { break-before: page; } section:first-of-type { break-before: auto; } }
)";

std::string element(std::string_view name, std::string_view text, std::string_view attributes = {})
{
    std::string html(1, '<');
    html += name;
    if (!attributes.empty()) {
        html += ' ';
        html += attributes;
    }
    html += '>';
    html += HtmlEscaped(text);
    html += "</";
    html += name;
    html += '>';
    return html;
}

std::string linesTable(const std::vector<ReportLine>& lines)
{
    std::string html = "<table class=\"lines\">\n";
    for (const ReportLine& line : lines)
        html += "<tr>" + element("th", line.Label) + element("td", line.Value) + "</tr>\n";
    return html + "</table>\n";
}

std::string table(const ReportTable& table, std::string_view className = {})
{
    std::string html = className.empty() ? "<table>\n" : "<table class=\"" + std::string(className) + "\">\n";
    html += "<tr>";
    for (const std::string& column : table.Columns)
        html += element("th", column);
    html += "</tr>\n";
    for (const std::vector<std::string>& row : table.Rows) {
        html += "<tr>";
        for (const std::string& cell : row)
            html += element("td", cell);
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string unitSection(const UnitReport& report)
{
    std::string html = "<section class=\"unit\">\n" + element("h1", report.Title) + "\n";
    if (report.Unsaved)
        html += element("p", kUnsavedNotice, "class=\"unsaved\"") + "\n";
    if (!report.LengthWarning.empty())
        html += element("p", report.LengthWarning, "class=\"length\"") + "\n";
    html += linesTable(report.Head);
    if (!report.Notice.empty())
        html += element("p", report.Notice, "class=\"notice\"") + "\n";
    if (!report.HasSettings())
        return html + "</section>\n";
    html += element("h2", kSettingsTitle) + "\n" + linesTable(report.Settings);
    html += "<div class=\"names\">\n<div>" + element("h2", kSourcesTitle) + "\n" + table(report.Sources) + "</div>\n";
    html += "<div>" + element("h2", kZonesTitle) + "\n" + table(report.Zones) + "</div>\n</div>\n";
    html += element("h2", kOverviewTitle) + "\n" + table(report.Overview, "overview");
    html += element("h2", kInstallerTitle) + "\n" + linesTable(report.Installer);
    return html + "</section>\n";
}

} // namespace

HtmlReportWriter::HtmlReportWriter(QIODevice& out, std::time_t generated) : out_(out), generated_(generated)
{
}

void HtmlReportWriter::Summary(const std::vector<SummaryRow>& rows)
{
    const SiteSummary summary = BuildSiteSummary(rows, generated_);
    begin(summary.Title);
    std::string html = "<section class=\"summary\">\n" + element("h1", summary.Title) + "\n";
    html += linesTable(summary.Head);
    html += "<table>\n<tr>";
    for (const std::string& column : summary.Columns)
        html += element("th", column);
    html += "</tr>\n";
    for (const SiteSummary::Row& row : summary.Rows) {
        html += "<tr>" + element("td", row.Cells[0]);
        // The second cell, across the rest of the row for a file that
        // could not be read, with a length's mark under its text.
        const std::size_t span = summary.Columns.size() - row.Cells.size() + 1;
        html += span > 1 ? "<td colspan=\"" + std::to_string(span) + "\" class=\"error\">" : std::string("<td>");
        html += HtmlEscaped(row.Cells[1]);
        if (!row.LengthWarning.empty())
            html += "<br/>" + element("span", row.LengthWarning, "class=\"length\"");
        html += "</td>";
        for (std::size_t i = 2; i < row.Cells.size(); ++i)
            html += element("td", row.Cells[i]);
        html += "</tr>\n";
    }
    write(html + "</table>\n</section>\n");
}

void HtmlReportWriter::Unit(const ReportUnit& unit)
{
    const UnitReport report = BuildUnitReport(unit, generated_);
    begin(report.Title);
    write(unitSection(report));
}

bool HtmlReportWriter::Finish()
{
    begin(kSummaryTitle);
    write("</body>\n</html>\n");
    return true;
}

void HtmlReportWriter::begin(std::string_view title)
{
    if (begun_)
        return;
    begun_ = true;
    write("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n"
          + element("title", title) + "\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n");
}

void HtmlReportWriter::write(std::string_view text)
{
    out_.write(text.data(), static_cast<qint64>(text.size()));
}

std::string HtmlEscaped(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace ostra::report
