#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/ConfigRecord.h"
#include "platform/FileApi.h"
#include "platform/FileRead.h"

namespace ostra {

// ReadConfigFile and WriteConfigFile over a given file layer, so that tests
// can make any step of a load or a save fail. The overloads without one use
// the operating system's files. A load opens the file for reading and
// writing, or for reading only where the card or the file is
// write-protected (FileAccess::ReadWriteOrReadOnly): such a file opens, and
// a save to it fails.
void ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record);
void WriteConfigFile(FileApi& files, const std::string& path, const TConfigRecord& record);

// ReadConfigFile opening the file as access says: the command-line tool's
// readers pass FileAccess::ReadOnly, and its set command FileAccess::ReadWrite,
// so that a file it could not write back is refused before any change.
// Answers how the file was opened (ReadWrite or ReadOnly): the editor
// names a file it opened for reading only as read-only.
FileAccess ReadConfigFile(FileApi& files, const std::string& path, TConfigRecord& record, FileAccess access);

// The length of the file at path when a save would shorten it: a save
// leaves exactly one record, so a longer regular file loses what lies
// after it. Nothing when the file is missing, no longer than a record, or
// no regular file. Callers ask before such a save.
std::optional<std::uint64_t> LengthShortenedBySave(FileApi& files, const std::string& path);

} // namespace ostra
