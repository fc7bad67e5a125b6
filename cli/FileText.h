#pragma once

#include <string>

#include "cli/CliContext.h"
#include "config/ConfigRecord.h"
#include "platform/FileRead.h"

namespace ostra::cli {

// The name the tool gives standard input and standard output.
inline constexpr const char* kStandardStream = "-";

// The whole content of a document file, or of standard input for "-".
// Raises EInOutError with the editor's message for a file that cannot be
// read, and InputRefused for one too large to be a document.
std::string readDocumentFile(CliContext& context, const std::string& path);

// Replaces the file at path with text through the editor's safe save, or
// writes text to standard output for "-". Raises EInOutError.
void writeDocumentFile(CliContext& context, const std::string& path, const std::string& text);

// The record of a configuration file, read as the editor reads it (the
// blank marker kept). Commands that only look at a file read it ReadOnly.
// Raises EInOutError.
TConfigRecord readRecordFile(CliContext& context, const std::string& path, FileAccess access);
void writeRecordFile(CliContext& context, const std::string& path, const TConfigRecord& record);

// "ostra-cfg: PATH: MESSAGE" on standard error.
void reportFileError(CliContext& context, const std::string& path, const std::string& message);

// For commands that create a file: true, with "ostra-cfg: PATH: already
// exists; use --force to replace it" on standard error, when something is
// at path (a file, a folder, a symbolic link even to nothing) and replace
// is false. A path that cannot be looked at counts as free; the write then
// reports why it fails.
bool refuseReplacing(CliContext& context, const std::string& path, bool replace);

// Says "PATH: is N bytes long; saving leaves exactly 2048; use --force to
// shorten it" on standard error, when a save would shorten the file at
// path and shorten is false.
bool refuseShortening(CliContext& context, const std::string& path, bool shorten);

} // namespace ostra::cli
