#pragma once

#include <ostream>

#include "cli/FileText.h"
#include "cli/Refusal.h"
#include "cli/TextCodec.h"
#include "platform/InOutError.h"

namespace ostra::cli {

// A file error carries the path it happened on, which may differ from the
// command's subject (import reads one file and writes another).
class FileFailure : public std::exception {
public:
    FileFailure(std::string path, const EInOutError& error) : Path(std::move(path)), Message(error.Message) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Path;
    std::string Message;
};

// Runs one file step, naming its path in any error it raises.
template <typename Step>
auto onFile(const std::string& path, Step&& step)
{
    try {
        return step();
    } catch (const EInOutError& error) {
        throw FileFailure(path, error);
    }
}

// Runs a command's work, turning the two ways its input can fail into exit
// statuses: a file error (3, the editor's message and the path on standard
// error) and refused input (2, one line per refusal, after subject).
template <typename Work>
ExitStatus reportingFailures(CliContext& context, const std::string& subject, Work&& work)
{
    try {
        return work();
    } catch (const FileFailure& failure) {
        reportFileError(context, failure.Path, failure.Message);
        return ExitStatus::FileFailed;
    } catch (const InputRefused& refused) {
        for (const Refusal& refusal : refused.Refusals)
            context.Err << "ostra-cfg: " << terminalSafe(subject) << ": " << terminalSafe(refusal.Text()) << '\n';
        return ExitStatus::WrongUsage;
    }
}

} // namespace ostra::cli
