// report: a unit's or a site's report as PDF, HTML or CSV.
#include <cctype>
#include <ctime>
#include <memory>
#include <string_view>

#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "report/CsvReport.h"
#include "report/HtmlReport.h"
#include "report/PdfReport.h"

namespace ostra::cli {

namespace {

using MakeWriter = std::unique_ptr<report::ReportWriter> (*)(QIODevice&, const QPageSize&, std::time_t);

struct ReportFormat {
    const char* Name; // as --format takes it
    const char* Extension;
    MakeWriter Make;
};

const ReportFormat kFormats[] = {
    {"pdf", ".pdf",
     [](QIODevice& out, const QPageSize& page, std::time_t now) -> std::unique_ptr<report::ReportWriter> {
         return std::make_unique<report::PdfReportWriter>(out, page, now);
     }},
    {"html", ".html",
     [](QIODevice& out, const QPageSize&, std::time_t now) -> std::unique_ptr<report::ReportWriter> {
         return std::make_unique<report::HtmlReportWriter>(out, now);
     }},
    {"csv", ".csv",
     [](QIODevice& out, const QPageSize&, std::time_t) -> std::unique_ptr<report::ReportWriter> {
         return std::make_unique<report::CsvReportWriter>(out);
     }},
};

bool endsWithIgnoringCase(std::string_view text, std::string_view end)
{
    if (text.size() < end.size())
        return false;
    text.remove_prefix(text.size() - end.size());
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != end[i])
            return false;
    return true;
}

// --format when given, else the output's extension in either case.
const ReportFormat* formatOf(const CommandOptions& options)
{
    for (const ReportFormat& format : kFormats)
        if (options.Format.empty() ? endsWithIgnoringCase(options.Output, format.Extension)
                                   : options.Format == format.Name)
            return &format;
    return nullptr;
}

QPageSize pageSizeOf(const CommandOptions& options)
{
    if (options.PageSize == "letter")
        return QPageSize(QPageSize::Letter);
    if (options.PageSize == "a4")
        return QPageSize(QPageSize::A4);
    return QPageSize(report::LocalePaperSize());
}

// The report paints with QtGui, which needs an application object. No
// window is ever shown, so without a platform chosen by the user it takes
// the offscreen one: the report is the same with a display or without.
std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ostra-cfg";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// While it lives, Qt's notes on its own set-up (such as the runtime folder
// it defaults) are held back: they are no news for a report's reader.
// Errors still show.
class QuietToolkit {
public:
    QuietToolkit() { previous_ = qInstallMessageHandler(&QuietToolkit::handle); }
    ~QuietToolkit() { qInstallMessageHandler(previous_); }
    QuietToolkit(const QuietToolkit&) = delete;
    QuietToolkit& operator=(const QuietToolkit&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if ((type == QtCriticalMsg || type == QtFatalMsg) && previous_ != nullptr)
            previous_(type, context, message);
    }

    static inline QtMessageHandler previous_ = nullptr;
};

} // namespace

ExitStatus runReport(CliContext& context, const CommandOptions& options)
{
    const ReportFormat* format = formatOf(options);
    if (format == nullptr) {
        context.Err << "ostra-cfg: " << terminalSafe(options.Output)
                    << ": the extension names no format (.pdf, .html, .csv); use --format pdf|html|csv\n";
        return ExitStatus::WrongUsage;
    }
    const QuietToolkit quiet;
    const std::unique_ptr<QGuiApplication> application = guiApplication();
    // Written beside the output and renamed over it once complete, so a
    // failure leaves whatever was there before.
    QSaveFile out(QFile::decodeName(QByteArray::fromStdString(options.Output)));
    if (!out.open(QIODevice::WriteOnly)) {
        reportFileError(context, options.Output, out.errorString().toStdString());
        return ExitStatus::FileFailed;
    }
    std::unique_ptr<report::ReportWriter> writer = format->Make(out, pageSizeOf(options), std::time(nullptr));
    const report::ReportOutcome outcome = report::WriteReport(context.Files, options.Files, *writer);
    writer.reset();
    for (const report::ReportFailure& failure : outcome.Unreadable)
        reportFileError(context, failure.Path, failure.Message);
    // Left uncommitted, the half-written report goes and the file stays as it was.
    if (!outcome.Finished) {
        reportFileError(context, options.Output, "the report could not be completed");
        return ExitStatus::FileFailed;
    }
    if (!out.commit()) {
        reportFileError(context, options.Output, out.errorString().toStdString());
        return ExitStatus::FileFailed;
    }
    return outcome.Unreadable.empty() ? ExitStatus::Done : ExitStatus::ReportIncomplete;
}

} // namespace ostra::cli
