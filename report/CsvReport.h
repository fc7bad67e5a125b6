#pragma once

#include <string>
#include <string_view>

#include "report/SiteReport.h"

class QIODevice;

namespace ostra::report {

// The column that marks a file of another length than a record's.
inline constexpr const char* kLengthWarningColumn = "length_warning";

// A report as CSV (RFC 4180, UTF-8, CRLF line ends): a header row of
// "file", the keys ostra-cfg set takes, the two versions' keys,
// "length_warning" and "error", then one row per unit with its values as
// set takes them, so that a cell can be given back to set, and its
// versions as the window shows them. A blank file's description reads
// "<Blank Config File>" and its other cells are empty; an unreadable
// file's row has its path and error. A file whose length is not a
// record's says so in length_warning (LengthWarning).
class CsvReportWriter : public ReportWriter {
public:
    explicit CsvReportWriter(QIODevice& out);

    void Summary(const std::vector<SummaryRow>& rows) override;
    void Unit(const ReportUnit& unit) override;
    bool Finish() override;

private:
    void writeRow(const std::vector<std::string>& cells);

    QIODevice& out_;
};

// One cell: quoted when it holds a comma, a quote or a line end, and a
// text a spreadsheet would take for a formula (a leading =, +, -, @, tab
// or carriage return) kept a text by a leading apostrophe.
std::string CsvCell(std::string_view text);

} // namespace ostra::report
