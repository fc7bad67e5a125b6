// set and blank: edits written back as the editor's save writes them. set
// edits a file in place, and shortens one longer than a record only when
// told to (--force); blank replaces one only when told to (--force).
#include "cli/Assignments.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"

namespace ostra::cli {

ExitStatus runSet(CliContext& context, const CommandOptions& options)
{
    const std::string& path = options.File;
    return reportingFailures(context, path, [&] {
        // Every assignment is checked before the file is touched: all or
        // nothing.
        const std::vector<Assignment> assignments = parseAssignments(
            options.Assignments, options.Truncate ? OverlongText::Truncate : OverlongText::Refuse);
        const TConfigRecord loaded = onFile(path, [&] { return readRecordFile(context, path, FileAccess::ReadWrite); });
        if (refuseShortening(context, path, options.Force))
            return ExitStatus::WrongUsage;
        const TConfigRecord edited = applyAssignments(loaded, assignments);
        onFile(path, [&] { writeRecordFile(context, path, edited); });
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
        onFile(path, [&] { writeRecordFile(context, path, record); });
        return ExitStatus::Done;
    });
}

} // namespace ostra::cli
