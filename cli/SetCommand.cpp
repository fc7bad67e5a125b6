// set and blank: edits written back as the editor's save writes them. set
// edits a file in place, and shortens one longer than a record only when
// told to (--force); blank replaces one only when told to (--force). A
// file either may not write is refused with the editor's advice.
#include "cli/Assignments.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "config/ConfigFile.h"

namespace ostra::cli {

namespace {

// What each command that writes offers when its file is write-protected.
// set edits in place: it has no other file to write to.
constexpr const char* kSetRemedy =
    "unlock the card and run set again, or copy the file to a folder you may write to and set the copy";
constexpr const char* kBlankRemedy = "unlock the card and run blank again, or name a file in a folder you may write to";

} // namespace

ExitStatus runSet(CliContext& context, const CommandOptions& options)
{
    const std::string& path = options.File;
    return reportingFailures(context, path, [&] {
        // Every assignment is checked before the file is touched: all or
        // nothing.
        const std::vector<Assignment> assignments = parseAssignments(
            options.Assignments, options.Truncate ? OverlongText::Truncate : OverlongText::Refuse);
        // Opened as the editor opens a file, so that one which can be read
        // but not written is told apart from one that cannot be read, and
        // refused as write-protected before any change.
        TConfigRecord loaded{};
        const FileAccess opened = onFile(
            path, [&] { return ReadConfigFile(context.Files, path, loaded, FileAccess::ReadWriteOrReadOnly); });
        if (opened != FileAccess::ReadWrite)
            throw writeProtected(path, kSetRemedy);
        if (refuseShortening(context, path, options.Force))
            return ExitStatus::WrongUsage;
        const TConfigRecord edited = applyAssignments(loaded, assignments);
        onWrite(path, kSetRemedy, [&] { writeRecordFile(context, path, edited); });
        return ExitStatus::Done;
    });
}

ExitStatus runBlank(CliContext& context, const CommandOptions& options)
{
    const std::string& path = options.File;
    if (refuseReplacing(context, path, options.Force))
        return ExitStatus::WrongUsage;
    return reportingFailures(context, path, [&] {
        TConfigRecord record{};
        BlankConfig(record);
        onWrite(path, kBlankRemedy, [&] { writeRecordFile(context, path, record); });
        return ExitStatus::Done;
    });
}

} // namespace ostra::cli
