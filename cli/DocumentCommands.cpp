// export and import: a record as a JSON document and back.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/Document.h"

namespace ostra::cli {

namespace {

constexpr const char* kRecordExtension = ".cfg";

// What export and import offer when the file they write is write-protected.
constexpr const char* kExportRemedy =
    "unlock the card and export again, or write the document elsewhere with -o FILE (or -o - for standard output)";
constexpr const char* kImportRemedy = "unlock the card and import again, or write the settings elsewhere with -o FILE";

// import's default output: the document's name with ".cfg" for its
// extension ("hall.json" gives "hall.cfg").
std::string defaultRecordPath(const std::string& documentPath)
{
    const std::size_t slash = documentPath.find_last_of('/');
    const std::size_t dot = documentPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? documentPath.substr(0, dot) : documentPath) + kRecordExtension;
}

// nlohmann's message without its "[json.exception.parse_error.101] " tag;
// what stays names the line and column.
std::string parseErrorText(const nlohmann::json::parse_error& error)
{
    const std::string message = error.what();
    const std::size_t tagEnd = message.find("] ");
    return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}

Json parseDocument(const std::string& text)
{
    try {
        return Json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        throw InputRefused({{"document", parseErrorText(error)}});
    }
}

} // namespace

ExitStatus runExport(CliContext& context, const CommandOptions& options)
{
    const std::string& path = options.File;
    const std::string output = options.Output.empty() ? kStandardStream : options.Output;
    return reportingFailures(context, path, [&] {
        const TConfigRecord record = onFile(path, [&] { return readRecordFile(context, path, FileAccess::ReadOnly); });
        // Characters of file names that are not UTF-8 are replaced rather
        // than refused; texts of the record are always valid.
        const std::string text = recordToDocument(record).dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
        onWrite(output, kExportRemedy, [&] { writeDocumentFile(context, output, text); });
        return ExitStatus::Done;
    });
}

ExitStatus runImport(CliContext& context, const CommandOptions& options)
{
    const std::string& input = options.File;
    if (options.Output.empty() && input == kStandardStream) {
        context.Err << "ostra-cfg: import: a document read from standard input needs -o FILE\n";
        return ExitStatus::WrongUsage;
    }
    const std::string output = options.Output.empty() ? defaultRecordPath(input) : options.Output;
    // Checked before the document is read, so that standard input is left
    // unread when nothing would be written.
    if (refuseReplacing(context, output, options.Force))
        return ExitStatus::WrongUsage;
    return reportingFailures(context, input, [&] {
        const std::string text = onFile(input, [&] { return readDocumentFile(context, input); });
        const OverlongText overlong = options.Truncate ? OverlongText::Truncate : OverlongText::Refuse;
        const TConfigRecord record = documentToRecord(parseDocument(text), overlong);
        onWrite(output, kImportRemedy, [&] { writeRecordFile(context, output, record); });
        return ExitStatus::Done;
    });
}

} // namespace ostra::cli
