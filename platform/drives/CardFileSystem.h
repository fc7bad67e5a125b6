#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileApi.h"

namespace ostra {

// The requests a card listing makes, one virtual per system call, so that
// tests can count them or stand in for the FAT driver. The real one is
// SystemCardFileSystem(); interrupted requests are retried there.
class CardFileSystem {
public:
    // One name of a folder with its type as readdir reports it (DT_REG,
    // DT_DIR, DT_LNK, ..., or DT_UNKNOWN where the file system does not say).
    struct FolderEntry {
        std::string Name;
        unsigned char Type = 0;
    };

    virtual ~CardFileSystem();

    // A descriptor of the folder; its files are opened relative to it, which
    // spares the kernel walking the folder's path again for each file.
    virtual FileResult OpenFolder(const std::string& folder) = 0;
    // The names in the folder without "." and ".."; false when it cannot be
    // read to the end.
    virtual bool ListFolder(int folderFd, std::vector<FolderEntry>& entries) = 0;
    // openat(2): the file `name` in the folder.
    virtual FileResult Open(int folderFd, const std::string& name, int flags) = 0;
    virtual FileResult Read(int fd, void* buffer, std::size_t count) = 0;
    // The FAT attribute byte of an open file, or nothing when the file
    // system cannot tell.
    virtual std::optional<std::uint32_t> FatAttributes(int fd) = 0;
    // The file type bits (S_IFMT) of an open file.
    virtual FileResult FileType(int fd) = 0;
    virtual FileResult Close(int fd) = 0;
};

CardFileSystem& SystemCardFileSystem();

} // namespace ostra
