#pragma once

#include <cstdint>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// What tells one file from another at the same path: the file system it
// lies on (platform/FileVolume.h: a card's serial), its device and inode,
// its length and its last change. Taken when the file is opened or saved.
struct FileIdentity {
    std::string Volume;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::uint64_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    std::int64_t ModifiedNanoseconds = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file at path, or an empty one when it cannot be had.
FileIdentity IdentityOf(FileApi& files, const std::string& path);

} // namespace ostra
