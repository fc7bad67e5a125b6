#include "report/PdfReport.h"

#include <langinfo.h>

#include <clocale>
#include <cstdint>

#include <QPdfWriter>

#include "report/ApplicationTitle.h"
#include "report/ReportPainter.h"

namespace ostra::report {

namespace {

constexpr double kMarginMillimetres = 15;
constexpr int kLetterWidth = 216;
constexpr int kLetterHeight = 279;

} // namespace

PdfReportWriter::PdfReportWriter(QIODevice& out, const QPageSize& pageSize, std::time_t generated)
    : writer_(std::make_unique<QPdfWriter>(&out)), generated_(generated)
{
    writer_->setCreator(QString::fromLatin1(kApplicationTitle));
    writer_->setTitle(QString::fromUtf8(kSummaryTitle));
    writer_->setPageSize(pageSize);
    writer_->setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
                            QPageLayout::Millimeter);
    // The painter starts the document: the page is set up before it.
    painter_ = std::make_unique<ReportPainter>(*writer_);
}

PdfReportWriter::~PdfReportWriter() = default;

// A page a unit, and the summary's pages before them once it is measured.
void PdfReportWriter::Begin(std::size_t units)
{
    units_ = units;
    painter_->setPageCount(static_cast<int>(units));
}

void PdfReportWriter::Summary(const std::vector<SummaryRow>& rows)
{
    const SiteSummary summary = BuildSiteSummary(rows, generated_);
    painter_->setPageCount(painter_->summaryPageCount(summary) + static_cast<int>(units_));
    painter_->paintSummary(summary);
}

void PdfReportWriter::Unit(const ReportUnit& unit)
{
    painter_->paintUnit(BuildUnitReport(unit, generated_));
}

bool PdfReportWriter::Finish()
{
    return painter_->finish();
}

QPageSize::PageSizeId PaperSizeOf(int widthMillimetres, int heightMillimetres)
{
    return widthMillimetres == kLetterWidth && heightMillimetres == kLetterHeight ? QPageSize::Letter : QPageSize::A4;
}

QPageSize::PageSizeId LocalePaperSize()
{
    // glibc gives the locale's paper in millimetres through nl_langinfo,
    // the number in the pointer's place.
    std::setlocale(LC_PAPER, "");
    const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    return PaperSizeOf(width, height);
}

} // namespace ostra::report
