#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drives/CardFileSystem.h"

namespace ostra {

// How much of each file a listing reads: a configuration file's record.
inline constexpr std::size_t kCardFileHeadSize = 2048;

// One plain file of a card's folder, read: its name, and either its first
// kCardFileHeadSize bytes or the EInOutError reading them raised.
struct CardFile {
    std::string Name;
    std::array<std::uint8_t, kCardFileHeadSize> Head{};
    std::exception_ptr Failure;
};

// The plain files of one folder whose names match a wildcard pattern, in
// byte order of their names, each read as it is reached: the folder is
// scanned once, at construction, and each file opened once, its FAT
// attributes and its head read from the same descriptor.
//
// The files are those FindPlainFiles gives: regular files only (no
// folders, links, devices), no names starting with ".", none marked hidden,
// system or volume label. A file is opened for reading and writing, as a
// configuration file is loaded, so one that cannot be written fails like a
// missing one ("File access denied" and the like); one shorter than the head
// fails with "Read beyond end of file". Only where that open fails is the
// file opened a second time, for reading only, to learn whether its
// attributes hide it. A folder that cannot be read yields no files.
class CardFolderListing {
public:
    CardFolderListing(CardFileSystem& files, std::filesystem::path folder, std::string_view pattern);
    ~CardFolderListing();
    CardFolderListing(CardFolderListing&& other) noexcept;
    CardFolderListing& operator=(CardFolderListing&& other) noexcept;

    // The next file, or nothing at the end. A failed file is still given
    // (with its Failure), and the files after it can be asked for.
    std::optional<CardFile> Next();

    const std::filesystem::path& Folder() const { return folder_; }

private:
    enum class Outcome { Skipped, Listed };
    Outcome read(const CardFileSystem::FolderEntry& entry, CardFile& file);
    Outcome readOpened(int fd, const CardFileSystem::FolderEntry& entry, CardFile& file);
    bool isHiddenOrNotRegular(int fd, const CardFileSystem::FolderEntry& entry);

    CardFileSystem* files_;
    std::filesystem::path folder_;
    // Open from the scan to the end of the listing, -1 when the folder
    // could not be opened.
    int folderFd_ = -1;
    std::vector<CardFileSystem::FolderEntry> candidates_;
    std::size_t next_ = 0;
};

} // namespace ostra
