#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileApi.h"
#include "platform/FileRead.h"

namespace ostra {

// One plain file of a card's folder, read: its name, and either its first
// bytes (as many as the listing's head size) or the EInOutError reading
// them raised.
struct CardFile {
    std::string Name;
    std::vector<std::uint8_t> Head;
    std::exception_ptr Failure;
};

// The message of a listed file's Failure, or an empty text for a file that
// was read.
std::string FailureMessage(const CardFile& file);

// Wildcard match as a card listing needs it: "*" matches any run of
// characters, "?" any one, and letters match regardless of case, since
// cards written by the device or by other systems hold names such as
// CFG1.CFG as often as cfg1.cfg.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// The plain files of one folder whose names match a wildcard pattern, in
// byte order of their names, the first headSize bytes of each read as it
// is reached: the folder is
// scanned once, at construction, and each file opened once, its FAT
// attributes and its head read from the same descriptor.
//
// Listed are regular files only (no folders, links, devices), no names
// starting with ".", none whose FAT attributes mark them hidden, system or
// volume label; where the attributes cannot be read, files are not
// filtered by them. Each file is opened and read as readFileHead opens and
// reads it, as `access` says: with ReadWriteOrReadOnly (the editor's load)
// a file whose card or permissions refuse writing is opened a second time,
// for reading only, and listed with its bytes. A file shorter than the head
// fails with "Read beyond end of file". A folder that cannot be read yields
// no files, and failure() says why.
class CardFolderListing {
public:
    CardFolderListing(FileApi& files, std::filesystem::path folder, std::string_view pattern, std::size_t headSize,
                      FileAccess access = FileAccess::ReadWriteOrReadOnly);
    ~CardFolderListing();
    CardFolderListing(CardFolderListing&& other) noexcept;
    CardFolderListing& operator=(CardFolderListing&& other) noexcept;

    // The next file, or nothing at the end. A failed file is still given
    // (with its Failure), and the files after it can be asked for.
    std::optional<CardFile> next();

    const std::filesystem::path& folder() const { return folder_; }
    // The error number of the folder's open or listing when either failed, else 0.
    int failure() const { return failure_; }

private:
    enum class Outcome { Skipped, Listed };
    Outcome read(const FolderEntry& entry, CardFile& file);
    Outcome readOpened(int fd, const FolderEntry& entry, CardFile& file);
    bool isHiddenOrNotRegular(int fd, const FolderEntry& entry);
    void closeFolder();

    FileApi* files_;
    std::filesystem::path folder_;
    std::size_t headSize_;
    FileAccess access_;
    // Open from the scan to the end of the listing, -1 when the folder
    // could not be opened.
    int folderFd_ = -1;
    int failure_ = 0;
    std::vector<FolderEntry> candidates_;
    std::size_t next_ = 0;
};

} // namespace ostra
