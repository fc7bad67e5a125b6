#pragma once

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <set>
#include <string>

#include "platform/drives/CardFileSystem.h"

namespace ostra::test {

// The system's files, with every request counted by name, FAT attributes
// given per name (the kernel's FAT driver stands behind none of the test
// folders) and chosen names refused for writing, as a read-only file or a
// write-protected card refuses them.
class CountingCardFiles : public CardFileSystem {
public:
    std::map<std::string, std::uint32_t> Attributes;
    std::set<std::string> ReadOnly;
    std::map<std::string, int> Opens;
    std::map<std::string, int> FolderOpens;
    int FolderScans = 0;
    int OpenDescriptors = 0;

    FileResult OpenFolder(const std::string& folder) override
    {
        ++FolderOpens[folder];
        return counted(system_.OpenFolder(folder));
    }
    bool ListFolder(int folderFd, std::vector<FolderEntry>& entries) override
    {
        ++FolderScans;
        return system_.ListFolder(folderFd, entries);
    }
    FileResult Open(int folderFd, const std::string& name, int flags) override
    {
        ++Opens[name];
        if ((flags & O_ACCMODE) != O_RDONLY && ReadOnly.contains(name))
            return {-1, EACCES};
        const FileResult opened = counted(system_.Open(folderFd, name, flags));
        if (!opened.failed())
            names_[static_cast<int>(opened.value)] = name;
        return opened;
    }
    FileResult Read(int fd, void* buffer, std::size_t count) override { return system_.Read(fd, buffer, count); }
    std::optional<std::uint32_t> FatAttributes(int fd) override
    {
        const auto found = Attributes.find(names_[fd]);
        return found == Attributes.end() ? std::nullopt : std::optional(found->second);
    }
    FileResult FileType(int fd) override { return system_.FileType(fd); }
    FileResult Close(int fd) override
    {
        --OpenDescriptors;
        names_.erase(fd);
        return system_.Close(fd);
    }

private:
    FileResult counted(FileResult opened)
    {
        OpenDescriptors += opened.failed() ? 0 : 1;
        return opened;
    }

    CardFileSystem& system_ = SystemCardFileSystem();
    std::map<int, std::string> names_;
};

} // namespace ostra::test
