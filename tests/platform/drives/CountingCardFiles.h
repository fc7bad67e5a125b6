#pragma once

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <set>
#include <string>

#include "platform/files/FaultyFileApi.h"

namespace ostra::test {

// The system's files, with every open counted by name (folders by path),
// FAT attributes given per name (the kernel's FAT driver stands behind none
// of the test folders) and chosen names refused for writing, as a read-only
// file or a write-protected card refuses them. Faults can be injected as
// into any FaultyFileApi.
class CountingCardFiles : public FaultyFileApi {
public:
    std::map<std::string, std::uint32_t> Attributes;
    std::set<std::string> ReadOnly;
    std::map<std::string, int> Opens;
    std::map<std::string, int> FolderOpens;
    int FolderScans = 0;
    int OpenDescriptors = 0;

    FileResult open(const std::string& path, int flags, mode_t mode) override
    {
        if (flags & O_DIRECTORY)
            ++FolderOpens[path];
        return counted(FaultyFileApi::open(path, flags, mode));
    }
    FileResult listFolder(const std::string& folder, std::vector<FolderEntry>& entries) override
    {
        ++FolderScans;
        return FaultyFileApi::listFolder(folder, entries);
    }
    FileResult openAt(int folderFd, const std::string& name, int flags) override
    {
        ++Opens[name];
        if ((flags & O_ACCMODE) != O_RDONLY && ReadOnly.contains(name))
            return {-1, EACCES};
        const FileResult opened = counted(FaultyFileApi::openAt(folderFd, name, flags));
        if (!opened.failed())
            names_[static_cast<int>(opened.value)] = name;
        return opened;
    }
    FileResult fatAttributes(int fd, std::uint32_t& attributes) override
    {
        const auto found = Attributes.find(names_[fd]);
        if (found == Attributes.end())
            return {-1, ENOTTY};
        attributes = found->second;
        return {};
    }
    FileResult close(int fd) override
    {
        --OpenDescriptors;
        names_.erase(fd);
        return FaultyFileApi::close(fd);
    }

private:
    FileResult counted(FileResult opened)
    {
        OpenDescriptors += opened.failed() ? 0 : 1;
        return opened;
    }

    std::map<int, std::string> names_;
};

} // namespace ostra::test
