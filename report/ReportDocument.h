#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace ostra {
class FileApi;
} // namespace ostra

namespace ostra::report {

// A report made whole in memory, as ostra-cfg report asks for it and gets
// it back. This header names no toolkit type, so that the command line's
// own code holds a report without linking Qt; it reaches
// MakeReportDocument through its report module (cli/ReportModule.h).

enum class ReportFormat { Pdf, Html, Csv };
// The paper of a PDF; Locale is the user's (LocalePaperSize).
enum class ReportPaper { Locale, A4, Letter };

struct ReportRequest {
    std::vector<std::string> Names; // files and folders, as WriteReport takes them
    ReportFormat Format = ReportFormat::Pdf;
    ReportPaper Paper = ReportPaper::Locale;
    std::time_t Generated = 0;
};

// A file of the report that could not be read, with the editor's message.
struct ReportFailure {
    std::string Path;
    std::string Message;
};

struct ReportOutcome {
    std::vector<ReportFailure> Unreadable;
    bool Finished = false; // what the writer's Finish said
};

struct ReportDocument {
    std::string Bytes; // the whole document, to be saved as it is
    ReportOutcome Outcome;
};

// The report of request.Names in request.Format, read through files (see
// WriteReport). A PDF is painted, which needs a QGuiApplication.
ReportDocument MakeReportDocument(FileApi& files, const ReportRequest& request);

} // namespace ostra::report
