#pragma once

#include <ostream>
#include <string_view>

#include "cli/FileText.h"
#include "cli/Refusal.h"
#include "cli/TextCodec.h"
#include "platform/InOutError.h"

namespace ostra::cli {

// A file error carries the path it happened on, which may differ from the
// command's subject (import reads one file and writes another), and, for
// a file that could not be written, what to do about it.
class FileFailure : public std::exception {
public:
    FileFailure(std::string path, const EInOutError& error, std::string advice = {})
        : Path(std::move(path)), Message(error.Message), Advice(std::move(advice))
    {
    }
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Path;
    std::string Message;
    std::string Advice; // a line of its own after the message; may be empty
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

// "File access denied" for a file the command may not write, advised as
// the editor advises a save it refuses: what may protect the file (a
// locked card, a read-only file, a folder closed to writing), then remedy,
// what the command offers instead.
FileFailure writeProtected(const std::string& path, std::string_view remedy);

// The failure of a step that wrote path: writeProtected's where the error
// is "File access denied", else error's own.
FileFailure writeFailure(const std::string& path, const EInOutError& error, std::string_view remedy);

// Runs one step that writes path, as onFile does, failing as writeFailure says.
template <typename Step>
auto onWrite(const std::string& path, std::string_view remedy, Step&& step)
{
    try {
        return step();
    } catch (const EInOutError& error) {
        throw writeFailure(path, error, remedy);
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
        if (!failure.Advice.empty())
            context.Err << "ostra-cfg: " << failure.Advice << '\n';
        return ExitStatus::FileFailed;
    } catch (const InputRefused& refused) {
        for (const Refusal& refusal : refused.Refusals)
            context.Err << "ostra-cfg: " << terminalSafe(subject) << ": " << terminalSafe(refusal.Text()) << '\n';
        return ExitStatus::WrongUsage;
    }
}

} // namespace ostra::cli
