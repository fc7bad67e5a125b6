#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "report/SiteReport.h"

class QIODevice;

namespace ostra::report {

// A report as one self-contained HTML file: UTF-8, its styles inside, no
// scripts, no links out. Written well-formed as XML as well, so that any
// XML reader takes it apart. Each unit is a section that prints on a page
// of its own.
class HtmlReportWriter : public ReportWriter {
public:
    HtmlReportWriter(QIODevice& out, std::time_t generated);

    void Summary(const std::vector<SummaryRow>& rows) override;
    void Unit(const ReportUnit& unit) override;
    bool Finish() override;

private:
    void begin(std::string_view title);
    void write(std::string_view text);

    QIODevice& out_;
    std::time_t generated_;
    bool begun_ = false;
};

// text with &, <, >, " and ' as character references: a name is data, never markup.
std::string HtmlEscaped(std::string_view text);

} // namespace ostra::report
