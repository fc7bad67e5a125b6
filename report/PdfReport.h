#pragma once

#include <ctime>
#include <memory>

#include <QPageSize>

#include "report/SiteReport.h"

class QIODevice;
class QPdfWriter;

namespace ostra::report {

class ReportPainter;

// A report as PDF on pages of the given size, within 15 mm margins.
class PdfReportWriter : public ReportWriter {
public:
    PdfReportWriter(QIODevice& out, const QPageSize& pageSize, std::time_t generated);
    ~PdfReportWriter() override;

    void Begin(std::size_t units) override;
    void Summary(const std::vector<SummaryRow>& rows) override;
    void Unit(const ReportUnit& unit) override;
    bool Finish() override;

private:
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<ReportPainter> painter_;
    std::time_t generated_;
    std::size_t units_ = 0;
};

// The paper of the user's locale (LC_PAPER): Letter where it is 216 by
// 279 mm, A4 everywhere else.
QPageSize::PageSizeId LocalePaperSize();
// The page size of a paper of the given millimetres, as LocalePaperSize reads them.
QPageSize::PageSizeId PaperSizeOf(int widthMillimetres, int heightMillimetres);

} // namespace ostra::report
