#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "platform/FileApi.h"
#include "report/ReportDocument.h"
#include "report/UnitReport.h"

namespace ostra::report {

// A site report's summary as every format lays it out: its title, its
// head (the report's date, the number of units), its columns and a row a
// unit, built once from the rows the report reads and written by each
// format as it writes a table.
struct SiteSummary {
    // One unit's row: its file, description, mode and zones; or its file
    // and why it could not be read, across the other columns. A file of
    // another length than a record's has its mark under the second cell.
    struct Row {
        std::vector<std::string> Cells;
        std::string LengthWarning;
    };

    std::string Title;
    std::vector<ReportLine> Head;
    std::vector<std::string> Columns;
    std::vector<Row> Rows;
};

SiteSummary BuildSiteSummary(const std::vector<SummaryRow>& rows, std::time_t generated);

// Writes one document of a report, unit by unit, as it goes: nothing of a
// unit is kept once it is written.
class ReportWriter {
public:
    virtual ~ReportWriter();
    // Before anything else: how many units the report holds, a page each.
    virtual void Begin(std::size_t units);
    // The summary of a site report, before its first unit; a report of a
    // single file has none.
    virtual void Summary(const std::vector<SummaryRow>& rows) = 0;
    virtual void Unit(const ReportUnit& unit) = 0;
    // Ends the document; false when it could not be completed. Failures
    // to write bytes show where they went (a file's commit).
    virtual bool Finish() = 0;
};

// What stands for a folder that holds no configuration file.
inline constexpr const char* kNoConfigurationFiles = "No configuration files (*.cfg) in the folder";

// The units of a report as the command line names them: a folder stands
// for its configuration files (*.cfg, either case, in the order ostra-cfg
// cards lists a card's files), anything else for itself. Several names,
// or a folder, make a site report: a summary, then every unit in order.
// A folder that cannot be read, or holds no configuration file, keeps
// its place as an unreadable file does, with why.
//
// Each file is read twice, once for the summary (kept: a row of a few
// texts) and once for its page, so memory holds the summary's rows and a
// single record whatever the number of files. A file that cannot be read
// keeps its place, with its error, and the report is still finished.
// Files are only ever opened for reading.
ReportOutcome WriteReport(FileApi& files, const std::vector<std::string>& names, ReportWriter& writer);

// The file at path with its time, and its size when it is a regular
// file, when the file system gives them.
ReportFile ReportFileAt(FileApi& files, const std::string& path);

// The unit of the file at path: its record, or why it could not be read.
ReportUnit ReadReportUnit(FileApi& files, const std::string& path);

} // namespace ostra::report
