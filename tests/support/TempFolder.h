#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ostra::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Its path is resolved (so it compares equal to
// paths the kernel reports) and its mode is 0755, so that an unprivileged
// file-system user can reach it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // The names in the folder, sorted, "." and ".." left out.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

// Removes a tree of files and folders as a test may leave it: names that
// are not valid text, folders without write permission, immutable files.
void removeTree(const std::filesystem::path& root);

// Sets or clears the file's immutable attribute (chattr +i); the reason
// when the file system refuses.
std::optional<std::string> setImmutable(const std::string& path, bool immutable);

} // namespace ostra::test
