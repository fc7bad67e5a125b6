#include "cli/FileText.h"

#include <fcntl.h>

#include <iostream>
#include <iterator>
#include <span>

#include "cli/Refusal.h"
#include "cli/TextCodec.h"
#include "config/ConfigFile.h"
#include "platform/FileApi.h"
#include "platform/FilePath.h"
#include "platform/FileSave.h"
#include "platform/InOutError.h"

namespace ostra::cli {

namespace {

// Far beyond any document of one record; stops a device or a huge file
// from being read without end.
constexpr std::size_t kLargestDocument = 1 << 20;
constexpr std::size_t kReadChunk = 64 * 1024;

[[noreturn]] void refuseLargeDocument(const std::string& path)
{
    throw InputRefused({{path, "larger than " + std::to_string(kLargestDocument) + " bytes, too large for a document"}});
}

} // namespace

std::string readDocumentFile(CliContext& context, const std::string& path)
{
    if (path == kStandardStream) {
        std::string text;
        char buffer[kReadChunk];
        while (context.In.read(buffer, sizeof buffer) || context.In.gcount() > 0) {
            text.append(buffer, static_cast<std::size_t>(context.In.gcount()));
            if (text.size() > kLargestDocument)
                refuseLargeDocument(path);
        }
        return text;
    }
    const FileResult opened = context.Files.open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC, 0);
    if (opened.failed())
        throw pathError(context.Files, path, opened.error);
    OpenFile file(context.Files, static_cast<int>(opened.value));
    std::string text;
    std::vector<char> buffer(kReadChunk);
    while (true) {
        const FileResult delivered = context.Files.read(file.fd(), buffer.data(), buffer.size());
        if (delivered.failed())
            throw inOutErrorFromErrno(delivered.error);
        if (delivered.value == 0)
            break;
        text.append(buffer.data(), static_cast<std::size_t>(delivered.value));
        if (text.size() > kLargestDocument)
            refuseLargeDocument(path);
    }
    file.closeChecked();
    return text;
}

void writeDocumentFile(CliContext& context, const std::string& path, const std::string& text)
{
    if (path == kStandardStream) {
        context.Out << text;
        return;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    saveFileSafely(context.Files, path, std::span(bytes, text.size()));
}

TConfigRecord readRecordFile(CliContext& context, const std::string& path, FileAccess access)
{
    TConfigRecord record{};
    ReadConfigFile(context.Files, path, record, access);
    return record;
}

void writeRecordFile(CliContext& context, const std::string& path, const TConfigRecord& record)
{
    WriteConfigFile(context.Files, path, record);
}

void reportFileError(CliContext& context, const std::string& path, const std::string& message)
{
    context.Err << "ostra-cfg: " << terminalSafe(path) << ": " << message << '\n';
}

bool refuseReplacing(CliContext& context, const std::string& path, bool replace)
{
    if (replace)
        return false;
    // lstat: a dangling symbolic link is a name taken too; the save would
    // create the file it points to.
    struct stat status {};
    if (context.Files.lstat(path, status).failed())
        return false;
    context.Err << "ostra-cfg: " << terminalSafe(path) << ": already exists; use --force to replace it\n";
    return true;
}

bool refuseShortening(CliContext& context, const std::string& path, bool shorten)
{
    if (shorten)
        return false;
    const std::optional<std::uint64_t> length = LengthShortenedBySave(context.Files, path);
    if (!length)
        return false;
    context.Err << "ostra-cfg: " << terminalSafe(path) << ": is " << *length
                << " bytes long; saving leaves exactly " << layout::kRecordSize
                << " bytes; use --force to shorten it\n";
    return true;
}

} // namespace ostra::cli
