#include "platform/drives/FileSearch.h"

#include <algorithm>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace ostra {

namespace {

constexpr std::uint32_t kSkippedFatAttributes = ATTR_HIDDEN | ATTR_SYS | ATTR_VOLUME;

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSkippedByAttributes(const std::filesystem::path& file, const FatAttributeReader& readAttributes)
{
    const std::optional<std::uint32_t> attributes = readAttributes(file);
    return attributes && (*attributes & kSkippedFatAttributes) != 0;
}

} // namespace

std::optional<std::uint32_t> ReadFatAttributes(const std::filesystem::path& file)
{
    // O_NONBLOCK: a FIFO that replaced the file since it was listed must
    // not hang the search.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::uint32_t attributes = 0;
    const int result = ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes);
    ::close(fd);
    // A failed request may still have written into `attributes` (FUSE does).
    if (result != 0) {
        return std::nullopt;
    }
    return attributes;
}

bool MatchesWildcard(std::string_view name, std::string_view pattern)
{
    // Greedy match with one backtracking point: the last "*" seen and the
    // name position it has swallowed up to.
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starPattern = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || foldCase(pattern[p]) == foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> FindPlainFiles(const std::filesystem::path& folder, std::string_view pattern,
                                        const FatAttributeReader& readAttributes)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.starts_with('.') || !MatchesWildcard(name, pattern)) {
            continue;
        }
        std::error_code statusError;
        if (!entry->is_regular_file(statusError) || entry->is_symlink(statusError) ||
            isSkippedByAttributes(entry->path(), readAttributes)) {
            continue;
        }
        names.push_back(name);
    }
    if (error) {
        return {};
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace ostra
