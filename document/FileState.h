#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigRecord.h"
#include "document/FileIdentity.h"
#include "platform/FileApi.h"

namespace ostra {

// A file as a unit was read from it or saved to it.
struct FileState {
    std::string Path;
    // Its record as an open reads it (a blank file reads as all zeros).
    TConfigRecord Content{};
    FileIdentity Identity;
    // It could be read but not written.
    bool ReadOnly = false;
    // When it was opened or saved, in seconds since 1970.
    std::int64_t At = 0;
};

// Reads the file at path as the editor opens it: for reading and writing,
// or for reading only where writing is refused (a card with its lock
// switch on); a blank file as all zeros. Raises EInOutError as
// ReadConfigFile does.
FileState ReadFileState(FileApi& files, const std::string& path);

// The state of a file just written with record.
FileState WrittenFileState(FileApi& files, const std::string& path, const TConfigRecord& record);

// Whether now is still the file then was: the same bytes, the same length
// and, where both are known, the same file system (not another card at
// the same place).
bool SameFile(const FileState& then, const FileState& now);

} // namespace ostra
