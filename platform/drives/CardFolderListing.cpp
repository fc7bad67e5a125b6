#include "platform/drives/CardFolderListing.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/stat.h>
#include <utility>

#include "platform/FilePath.h"
#include "platform/InOutError.h"
#include "platform/drives/FileSearch.h"

namespace ostra {

namespace {

constexpr std::uint32_t kSkippedFatAttributes = ATTR_HIDDEN | ATTR_SYS | ATTR_VOLUME;

// O_NOFOLLOW: a link that replaced a listed file is not followed (links
// are never listed). O_NONBLOCK: a FIFO that replaced it must not hang the
// listing; regular files ignore it.
constexpr int kCommonFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Entries whose type says they cannot be plain files are dropped before any
// open; DT_UNKNOWN (file systems that do not say) is settled on the
// descriptor.
bool mayBePlainFile(unsigned char type)
{
    return type == DT_REG || type == DT_UNKNOWN;
}

// errno of an open that shows the entry is no plain file after all.
bool isNotPlainFileError(int error)
{
    return error == ELOOP || error == EISDIR || error == ENXIO;
}

} // namespace

CardFolderListing::CardFolderListing(CardFileSystem& files, std::filesystem::path folder, std::string_view pattern)
    : files_(&files), folder_(std::move(folder))
{
    if (folder_.empty())
        return;
    const FileResult opened = files_->OpenFolder(folder_.string());
    if (opened.failed())
        return;
    folderFd_ = static_cast<int>(opened.value);
    std::vector<CardFileSystem::FolderEntry> entries;
    if (!files_->ListFolder(folderFd_, entries))
        return;
    std::erase_if(entries, [pattern](const CardFileSystem::FolderEntry& entry) {
        return entry.Name.starts_with('.') || !mayBePlainFile(entry.Type) || !MatchesWildcard(entry.Name, pattern);
    });
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.Name < b.Name; });
    candidates_ = std::move(entries);
}

CardFolderListing::~CardFolderListing()
{
    if (folderFd_ >= 0)
        files_->Close(folderFd_);
}

CardFolderListing::CardFolderListing(CardFolderListing&& other) noexcept
    : files_(other.files_),
      folder_(std::move(other.folder_)),
      folderFd_(std::exchange(other.folderFd_, -1)),
      candidates_(std::move(other.candidates_)),
      next_(std::exchange(other.next_, 0))
{
}

CardFolderListing& CardFolderListing::operator=(CardFolderListing&& other) noexcept
{
    if (this != &other) {
        if (folderFd_ >= 0)
            files_->Close(folderFd_);
        files_ = other.files_;
        folder_ = std::move(other.folder_);
        folderFd_ = std::exchange(other.folderFd_, -1);
        candidates_ = std::move(other.candidates_);
        next_ = std::exchange(other.next_, 0);
    }
    return *this;
}

std::optional<CardFile> CardFolderListing::Next()
{
    while (next_ < candidates_.size()) {
        const CardFileSystem::FolderEntry& entry = candidates_[next_++];
        CardFile file;
        if (read(entry, file) == Outcome::Listed) {
            file.Name = entry.Name;
            return file;
        }
    }
    return std::nullopt;
}

CardFolderListing::Outcome CardFolderListing::read(const CardFileSystem::FolderEntry& entry, CardFile& file)
{
    const FileResult opened = files_->Open(folderFd_, entry.Name, O_RDWR | kCommonFlags);
    if (!opened.failed())
        return readOpened(static_cast<int>(opened.value), entry, file);
    if (isNotPlainFileError(opened.error))
        return Outcome::Skipped;

    // Not writable (read-only file, write-protected card) or not there: a
    // hidden file is still skipped rather than failing the listing.
    const FileResult readOnly = files_->Open(folderFd_, entry.Name, O_RDONLY | kCommonFlags);
    if (!readOnly.failed()) {
        const int fd = static_cast<int>(readOnly.value);
        const bool skipped = isHiddenOrNotRegular(fd, entry);
        files_->Close(fd);
        if (skipped)
            return Outcome::Skipped;
    }
    file.Failure = std::make_exception_ptr(pathError(systemFileApi(), (folder_ / entry.Name).string(), opened.error));
    return Outcome::Listed;
}

CardFolderListing::Outcome CardFolderListing::readOpened(int fd, const CardFileSystem::FolderEntry& entry,
                                                         CardFile& file)
{
    if (isHiddenOrNotRegular(fd, entry)) {
        files_->Close(fd);
        return Outcome::Skipped;
    }
    const FileResult delivered = files_->Read(fd, file.Head.data(), file.Head.size());
    if (delivered.failed()) {
        files_->Close(fd);
        file.Failure = std::make_exception_ptr(inOutErrorFromErrno(delivered.error));
    } else if (static_cast<std::size_t>(delivered.value) < file.Head.size()) {
        files_->Close(fd);
        file.Failure = std::make_exception_ptr(EInOutError(InOutErrorCode::ReadBeyondEndOfFile));
    } else if (const FileResult closed = files_->Close(fd); closed.failed()) {
        file.Failure = std::make_exception_ptr(EInOutError::platformError(closed.error));
    }
    return Outcome::Listed;
}

bool CardFolderListing::isHiddenOrNotRegular(int fd, const CardFileSystem::FolderEntry& entry)
{
    if (entry.Type == DT_UNKNOWN) {
        const FileResult type = files_->FileType(fd);
        if (!type.failed() && type.value != S_IFREG)
            return true;
    }
    const std::optional<std::uint32_t> attributes = files_->FatAttributes(fd);
    return attributes && (*attributes & kSkippedFatAttributes) != 0;
}

} // namespace ostra
