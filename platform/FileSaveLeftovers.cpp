#include "platform/FileSaveLeftovers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <random>
#include <vector>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

constexpr std::string_view kTemporaryPrefix = ".ostra-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kRandomDigits = 8;
constexpr std::time_t kLeftoverAge = 60;

bool isLowerHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

std::string inFolder(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path.append(name);
}

bool hasConfigSuffix(std::string_view name)
{
    constexpr std::string_view kSuffix = ".cfg";
    return name.size() > kSuffix.size()
        && std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// The first count bytes of the file at path, or nothing when it cannot be
// read whole that far.
std::optional<std::vector<char>> readHead(FileApi& files, const std::string& path, std::size_t count)
{
    const FileResult opened = files.open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
    if (opened.failed())
        return std::nullopt;
    OpenFile file(files, static_cast<int>(opened.value));
    std::vector<char> head(count);
    std::size_t done = 0;
    while (done < count) {
        const FileResult got = files.read(file.fd(), head.data() + done, count - done);
        if (got.failed() || got.value == 0)
            return std::nullopt;
        done += static_cast<std::size_t>(got.value);
    }
    return head;
}

// The configuration file of the folder that a leftover on FAT may share
// its clusters with. A power cut while a new file's name was being made
// durable can leave the temporary's entry and the new entry both naming
// the same clusters; removing the leftover would then free the live
// file's, and replacing the live file would free the leftover's. Such a
// pair holds the same bytes. Only the first cluster is compared, since
// reading further follows the allocation table, which a damaged leftover
// may not have. An unreadable leftover is taken to share with any file.
std::optional<std::string> fileSharingClusters(FileApi& files, const std::string& folder,
                                               const std::vector<FolderEntry>& entries, const std::string& leftover,
                                               const struct stat& status)
{
    const std::size_t compared = std::min<std::size_t>(status.st_size, std::max<blksize_t>(status.st_blksize, 512));
    const std::optional<std::vector<char>> head = readHead(files, leftover, compared);
    for (const FolderEntry& entry : entries) {
        if (!hasConfigSuffix(entry.name))
            continue;
        const std::string path = inFolder(folder, entry.name);
        struct stat other {};
        if (files.lstat(path, other).failed() || !S_ISREG(other.st_mode) || other.st_size != status.st_size)
            continue;
        if (!head || readHead(files, path, compared) == head)
            return entry.name;
    }
    return std::nullopt;
}

} // namespace

bool sameNameOnCard(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string temporaryName(const std::string& folder)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string name{kTemporaryPrefix};
    for (unsigned bits = random(), i = 0; i < kRandomDigits; ++i, bits >>= 4)
        name += kDigits[bits & 0xF];
    name += kTemporarySuffix;
    return inFolder(folder, name);
}

bool isTemporaryName(std::string_view name)
{
    if (name.size() != kTemporaryPrefix.size() + kRandomDigits + kTemporarySuffix.size()
        || !name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix))
        return false;
    const std::string_view digits = name.substr(kTemporaryPrefix.size(), kRandomDigits);
    for (const char c : digits)
        if (!isLowerHexDigit(c))
            return false;
    return true;
}

std::vector<std::string> removeLeftoverTemporaries(FileApi& files, const std::string& folder,
                                                   std::optional<std::time_t> crashesBefore)
{
    std::vector<FolderEntry> entries;
    std::vector<std::string> sharing;
    if (files.listFolder(folder, entries).failed())
        return sharing;
    const std::time_t now = std::time(nullptr);
    for (const FolderEntry& entry : entries) {
        if (!isTemporaryName(entry.name))
            continue;
        const std::string path = inFolder(folder, entry.name);
        struct stat status {};
        if (files.lstat(path, status).failed())
            continue;
        if (!S_ISREG(status.st_mode) || status.st_uid != ::geteuid() || now - status.st_mtime <= kLeftoverAge)
            continue;
        if (crashesBefore && status.st_mtime < *crashesBefore)
            if (std::optional<std::string> shared = fileSharingClusters(files, folder, entries, path, status)) {
                sharing.push_back(*shared);
                continue;
            }
        files.unlink(path);
    }
    return sharing;
}

bool removeDuplicateEntries(FileApi& files, const std::string& path)
{
    const std::string folder = folderOf(path);
    const std::string name = path.substr(path.find_last_of('/') + 1);
    std::vector<FolderEntry> entries;
    if (files.listFolder(folder, entries).failed())
        return false;
    const auto listed = std::ranges::count_if(entries, [&](const FolderEntry& e) { return sameNameOnCard(e.name, name); });
    for (auto extra = listed - 1; extra > 0; --extra) {
        const std::string away = temporaryName(folder);
        if (const FileResult moved = files.rename(path, away); moved.failed())
            throw inOutErrorFromErrno(moved.error);
        if (const FileResult removed = files.unlink(away); removed.failed())
            throw inOutErrorFromErrno(removed.error);
    }
    return listed > 1;
}

} // namespace ostra
