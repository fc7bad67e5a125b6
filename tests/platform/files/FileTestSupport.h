#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileApi.h"
#include "support/TempFolder.h"

namespace ostra::test {

using Bytes = std::vector<std::uint8_t>;

void writeBytes(const std::string& path, const Bytes& bytes);
Bytes readBytes(const std::string& path);
// count bytes of a repeatable pattern that differs for each seed.
Bytes patternBytes(std::size_t count, unsigned seed);

// Runs file access checks as another user for its lifetime (setfsuid), so
// that permission bits apply even when the tests run as root.
class ScopedFileSystemUser {
public:
    explicit ScopedFileSystemUser(uid_t user);
    ~ScopedFileSystemUser();
    ScopedFileSystemUser(const ScopedFileSystemUser&) = delete;
    ScopedFileSystemUser& operator=(const ScopedFileSystemUser&) = delete;

    bool active() const { return active_; }

private:
    uid_t previous_;
    bool active_;
};

constexpr uid_t kNobody = 65534;

// Saves bytes to path through files; the message of the error the save
// raised, or "" when it succeeded.
std::string saveMessage(FileApi& files, const std::string& path, const Bytes& bytes);

} // namespace ostra::test
