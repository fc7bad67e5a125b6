#include "report/ReportDocument.h"

#include <memory>

#include <QBuffer>

#include "report/CsvReport.h"
#include "report/HtmlReport.h"
#include "report/PdfReport.h"

namespace ostra::report {

namespace {

QPageSize pageSizeOf(ReportPaper paper)
{
    switch (paper) {
    case ReportPaper::A4: return QPageSize(QPageSize::A4);
    case ReportPaper::Letter: return QPageSize(QPageSize::Letter);
    case ReportPaper::Locale: break;
    }
    return QPageSize(LocalePaperSize());
}

std::unique_ptr<ReportWriter> writerFor(QIODevice& out, const ReportRequest& request)
{
    switch (request.Format) {
    case ReportFormat::Pdf: return std::make_unique<PdfReportWriter>(out, pageSizeOf(request.Paper), request.Generated);
    case ReportFormat::Html: return std::make_unique<HtmlReportWriter>(out, request.Generated);
    case ReportFormat::Csv: break;
    }
    return std::make_unique<CsvReportWriter>(out);
}

} // namespace

ReportDocument MakeReportDocument(FileApi& files, const ReportRequest& request)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    ReportDocument document;
    // The PDF writer hands over its last bytes as it ends.
    std::unique_ptr<ReportWriter> writer = writerFor(out, request);
    document.Outcome = WriteReport(files, request.Names, *writer);
    writer.reset();
    document.Bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return document;
}

} // namespace ostra::report
