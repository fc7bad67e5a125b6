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

namespace ostra {

namespace {

constexpr std::uint32_t kSkippedFatAttributes = ATTR_HIDDEN | ATTR_SYS | ATTR_VOLUME;

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

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string FailureMessage(const CardFile& file)
{
    if (!file.Failure)
        return {};
    try {
        std::rethrow_exception(file.Failure);
    } catch (const std::exception& error) {
        return error.what();
    }
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
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

CardFolderListing::CardFolderListing(FileApi& files, std::filesystem::path folder, std::string_view pattern,
                                     std::size_t headSize, FileAccess access)
    : files_(&files), folder_(std::move(folder)), headSize_(headSize), access_(access)
{
    if (folder_.empty())
        return;
    const FileResult opened = files_->open(folder_.string(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (opened.failed()) {
        failure_ = opened.error;
        return;
    }
    folderFd_ = static_cast<int>(opened.value);
    std::vector<FolderEntry> entries;
    if (const FileResult listed = files_->listFolder(folder_.string(), entries); listed.failed()) {
        failure_ = listed.error;
        return;
    }
    std::erase_if(entries, [pattern](const FolderEntry& entry) {
        return entry.name.starts_with('.') || !mayBePlainFile(entry.type) || !MatchesWildcard(entry.name, pattern);
    });
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    candidates_ = std::move(entries);
}

CardFolderListing::~CardFolderListing()
{
    closeFolder();
}

CardFolderListing::CardFolderListing(CardFolderListing&& other) noexcept
    : files_(other.files_),
      folder_(std::move(other.folder_)),
      headSize_(other.headSize_),
      access_(other.access_),
      folderFd_(std::exchange(other.folderFd_, -1)),
      failure_(other.failure_),
      candidates_(std::move(other.candidates_)),
      next_(std::exchange(other.next_, 0))
{
}

CardFolderListing& CardFolderListing::operator=(CardFolderListing&& other) noexcept
{
    if (this != &other) {
        closeFolder();
        files_ = other.files_;
        folder_ = std::move(other.folder_);
        headSize_ = other.headSize_;
        access_ = other.access_;
        folderFd_ = std::exchange(other.folderFd_, -1);
        failure_ = other.failure_;
        candidates_ = std::move(other.candidates_);
        next_ = std::exchange(other.next_, 0);
    }
    return *this;
}

void CardFolderListing::closeFolder()
{
    // Only read through, so nothing is lost when the close fails.
    if (folderFd_ >= 0)
        files_->close(folderFd_);
    folderFd_ = -1;
}

std::optional<CardFile> CardFolderListing::next()
{
    while (next_ < candidates_.size()) {
        const FolderEntry& entry = candidates_[next_++];
        CardFile file;
        if (read(entry, file) == Outcome::Listed) {
            file.Name = entry.name;
            return file;
        }
    }
    return std::nullopt;
}

// Opened as readFileHead opens a file, and with O_NOFOLLOW: a link that
// replaced a listed file is not followed (links are never listed).
// readFileHead's O_NONBLOCK keeps a FIFO that replaced it from hanging the
// listing.
CardFolderListing::Outcome CardFolderListing::read(const FolderEntry& entry, CardFile& file)
{
    const FileResult opened = openFileHead(
        access_, [&](int flags) { return files_->openAt(folderFd_, entry.name, flags | O_NOFOLLOW); });
    if (!opened.failed())
        return readOpened(static_cast<int>(opened.value), entry, file);
    if (isNotPlainFileError(opened.error))
        return Outcome::Skipped;
    file.Failure = std::make_exception_ptr(pathError(*files_, (folder_ / entry.name).string(), opened.error));
    return Outcome::Listed;
}

CardFolderListing::Outcome CardFolderListing::readOpened(int fd, const FolderEntry& entry, CardFile& file)
{
    OpenFile opened(*files_, fd);
    if (isHiddenOrNotRegular(fd, entry))
        return Outcome::Skipped;
    file.Head.resize(headSize_);
    try {
        readOpenFileHead(*files_, opened, file.Head);
    } catch (const EInOutError&) {
        file.Failure = std::current_exception();
    }
    return Outcome::Listed;
}

bool CardFolderListing::isHiddenOrNotRegular(int fd, const FolderEntry& entry)
{
    if (entry.type == DT_UNKNOWN) {
        struct stat status {};
        if (!files_->fstat(fd, status).failed() && !S_ISREG(status.st_mode))
            return true;
    }
    std::uint32_t attributes = 0;
    return !files_->fatAttributes(fd, attributes).failed() && (attributes & kSkippedFatAttributes) != 0;
}

} // namespace ostra
