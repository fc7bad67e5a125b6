// show: every setting of each file as the window shows it.
#include <iomanip>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/TextCodec.h"
#include "config/CardFileLine.h"
#include "config/FieldText.h"

namespace ostra::cli {

namespace {

// Wide enough for "Installer Information 1:".
constexpr int kLabelColumns = 25;

void showLine(std::ostream& out, const std::string& label, const std::string& value)
{
    out << "  " << std::left << std::setw(kLabelColumns) << (label + ":") << value << '\n';
}

void showRecord(std::ostream& out, const TConfigRecord& record)
{
    if (IsBlankConfig(record)) {
        showLine(out, "Description", kBlankConfigDescription);
        return;
    }
    for (const ConfigField& field : ConfigFields())
        showLine(out, field.Label, terminalSafe(ValueAsShown(record, field)));
}

} // namespace

ExitStatus runShow(CliContext& context, const CommandOptions& options)
{
    ExitStatus status = ExitStatus::Done;
    bool first = true;
    for (const std::string& path : options.Files) {
        const ExitStatus shown = reportingFailures(context, path, [&] {
            const TConfigRecord record =
                onFile(path, [&] { return readRecordFile(context, path, FileAccess::ReadOnly); });
            context.Out << (first ? "" : "\n") << terminalSafe(path) << '\n';
            showRecord(context.Out, record);
            first = false;
            return ExitStatus::Done;
        });
        if (shown != ExitStatus::Done)
            status = shown;
    }
    return status;
}

} // namespace ostra::cli
