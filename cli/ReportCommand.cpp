// report: a unit's or a site's report as PDF, HTML or CSV. The report is
// drawn by a module of its own (ReportModule.h); the command reads its
// arguments and saves what the module gives back as every command saves a
// file, under the name as given, byte for byte.
#include <cctype>
#include <cstdint>
#include <ctime>
#include <span>
#include <string_view>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ReportModule.h"
#include "platform/FileSave.h"

namespace ostra::cli {

namespace {

using report::ReportFormat;

struct FormatName {
    const char* Name; // as --format takes it
    const char* Extension;
    ReportFormat Format;
};

// What report offers when the file it writes is write-protected.
constexpr const char* kReportRemedy = "unlock the card and run report again, or write the report elsewhere with -o OUT";

const FormatName kFormats[] = {
    {"pdf", ".pdf", ReportFormat::Pdf},
    {"html", ".html", ReportFormat::Html},
    {"csv", ".csv", ReportFormat::Csv},
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
const FormatName* formatOf(const CommandOptions& options)
{
    for (const FormatName& format : kFormats)
        if (options.Format.empty() ? endsWithIgnoringCase(options.Output, format.Extension)
                                   : options.Format == format.Name)
            return &format;
    return nullptr;
}

report::ReportPaper paperOf(const CommandOptions& options)
{
    if (options.PageSize == "letter")
        return report::ReportPaper::Letter;
    if (options.PageSize == "a4")
        return report::ReportPaper::A4;
    return report::ReportPaper::Locale;
}

MakeReportFunction loadModule(CliContext& context)
{
    std::vector<std::string> failures;
    const MakeReportFunction make = context.Reports.load(failures);
    if (make == nullptr) {
        context.Err << "ostra-cfg: report: the module that draws reports could not be loaded\n";
        for (const std::string& failure : failures)
            context.Err << "ostra-cfg: " << terminalSafe(failure) << '\n';
    }
    return make;
}

void saveReport(CliContext& context, const std::string& path, const std::string& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    saveFileSafely(context.Files, path, std::span(data, bytes.size()));
}

} // namespace

ExitStatus runReport(CliContext& context, const CommandOptions& options)
{
    const FormatName* format = formatOf(options);
    if (format == nullptr) {
        context.Err << "ostra-cfg: " << terminalSafe(options.Output)
                    << ": the extension names no format (.pdf, .html, .csv); use --format pdf|html|csv\n";
        return ExitStatus::WrongUsage;
    }
    if (refuseReplacing(context, options.Output, options.Force))
        return ExitStatus::WrongUsage;
    const MakeReportFunction makeReport = loadModule(context);
    if (makeReport == nullptr)
        return ExitStatus::FileFailed;
    const report::ReportDocument document =
        makeReport(context.Files, {options.Files, format->Format, paperOf(options), std::time(nullptr)});
    for (const report::ReportFailure& failure : document.Outcome.Unreadable)
        reportFileError(context, failure.Path, failure.Message);
    // Nothing is saved of a report left incomplete; the file stays as it was.
    if (!document.Outcome.Finished) {
        reportFileError(context, options.Output, "the report could not be completed");
        return ExitStatus::FileFailed;
    }
    const ExitStatus saved = reportingFailures(context, options.Output, [&] {
        onWrite(options.Output, kReportRemedy, [&] { saveReport(context, options.Output, document.Bytes); });
        return ExitStatus::Done;
    });
    if (saved != ExitStatus::Done)
        return saved;
    return document.Outcome.Unreadable.empty() ? ExitStatus::Done : ExitStatus::ReportIncomplete;
}

} // namespace ostra::cli
