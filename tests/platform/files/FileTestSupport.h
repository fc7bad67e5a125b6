#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostra::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, mode 0755 so that an
// unprivileged file-system user can reach it; removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // The names in the folder, sorted, "." and ".." left out.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

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

// Sets or clears the immutable attribute (chattr +i). Returns the reason
// when the file system or the privileges do not allow it.
std::optional<std::string> setImmutable(const std::string& path, bool immutable);

} // namespace ostra::test
