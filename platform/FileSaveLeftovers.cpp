#include "platform/FileSaveLeftovers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <random>
#include <vector>

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

} // namespace

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

void removeLeftoverTemporaries(FileApi& files, const std::string& folder)
{
    std::vector<FolderEntry> entries;
    if (files.listFolder(folder, entries).failed())
        return;
    const std::time_t now = std::time(nullptr);
    for (const FolderEntry& entry : entries) {
        if (!isTemporaryName(entry.name))
            continue;
        const std::string path = inFolder(folder, entry.name);
        struct stat status {};
        if (files.lstat(path, status).failed())
            continue;
        if (S_ISREG(status.st_mode) && status.st_uid == ::geteuid() && now - status.st_mtime > kLeftoverAge)
            files.unlink(path);
    }
}

} // namespace ostra
