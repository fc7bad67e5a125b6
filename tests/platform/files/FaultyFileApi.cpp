#include "platform/files/FaultyFileApi.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>

namespace ostra::test {

int FaultyFileApi::count(FileStep step) const
{
    return static_cast<int>(std::ranges::count(log_, step));
}

const FileFault* FaultyFileApi::enter(FileStep step)
{
    log_.push_back(step);
    const int occurrence = count(step);
    for (const FileFault& fault : faults_)
        if (fault.step == step && fault.occurrence == occurrence)
            return &fault;
    return nullptr;
}

FileStep FaultyFileApi::kindOf(int fd) const
{
    const auto found = openedBy_.find(fd);
    return found == openedBy_.end() ? FileStep::Open : found->second;
}

FileStep FaultyFileApi::openStep(int flags)
{
    return (flags & O_DIRECTORY) ? FileStep::OpenFolder
        : (flags & O_EXCL)       ? FileStep::CreateNew
                                 : FileStep::Open;
}

int FaultyFileApi::writeRefusal(const std::string& name, int flags) const
{
    if ((flags & O_ACCMODE) == O_RDONLY)
        return 0;
    for (const auto& [refused, error] : writeRefusals_)
        if (refused.empty() || refused == name)
            return error;
    return 0;
}

template <typename Call>
FileResult FaultyFileApi::opening(const std::string& name, int flags, Call call)
{
    const FileStep step = openStep(flags);
    if (const FileFault* fault = enter(step))
        return {-1, fault->error};
    if (const int refused = writeRefusal(name, flags))
        return {-1, refused};
    const FileResult result = call();
    if (!result.failed())
        openedBy_[static_cast<int>(result.value)] = step;
    return result;
}

FileResult FaultyFileApi::open(const std::string& path, int flags, mode_t mode)
{
    return opening(path.substr(path.find_last_of('/') + 1), flags, [&] { return real_.open(path, flags, mode); });
}

FileResult FaultyFileApi::openAt(int folderFd, const std::string& name, int flags)
{
    return opening(name, flags, [&] { return real_.openAt(folderFd, name, flags); });
}

template <typename Call>
FileResult FaultyFileApi::pass(FileStep step, Call call)
{
    if (const FileFault* fault = enter(step))
        return {-1, fault->error};
    return call();
}

template <typename Call>
FileResult FaultyFileApi::transfer(FileStep step, std::size_t count, Call call)
{
    if (const FileFault* fault = enter(step)) {
        if (fault->transferLimit < 0)
            return {-1, fault->error};
        count = std::min(count, static_cast<std::size_t>(fault->transferLimit));
    }
    return call(count);
}

FileResult FaultyFileApi::read(int fd, void* buffer, std::size_t count)
{
    return transfer(FileStep::Read, count, [&](std::size_t n) { return real_.read(fd, buffer, n); });
}

FileResult FaultyFileApi::write(int fd, const void* buffer, std::size_t count)
{
    return transfer(FileStep::Write, count, [&](std::size_t n) { return real_.write(fd, buffer, n); });
}

FileResult FaultyFileApi::pwrite(int fd, const void* buffer, std::size_t count, off_t offset)
{
    return transfer(FileStep::WriteAt, count, [&](std::size_t n) { return real_.pwrite(fd, buffer, n, offset); });
}

FileResult FaultyFileApi::ftruncate(int fd, off_t length)
{
    return pass(FileStep::Truncate, [&] { return real_.ftruncate(fd, length); });
}

FileResult FaultyFileApi::fsync(int fd)
{
    const FileStep step = kindOf(fd) == FileStep::OpenFolder ? FileStep::FsyncFolder : FileStep::Fsync;
    if (const FileFault* fault = enter(step))
        return {-1, fault->error};
    return real_.fsync(fd);
}

// A failing close still releases the descriptor, as on Linux.
FileResult FaultyFileApi::close(int fd)
{
    const FileStep opened = kindOf(fd);
    openedBy_.erase(fd);
    const FileStep step = opened == FileStep::OpenFolder ? FileStep::CloseFolder
        : opened == FileStep::CreateNew                  ? FileStep::CloseNew
                                                         : FileStep::Close;
    const FileFault* fault = enter(step);
    const FileResult result = real_.close(fd);
    return fault ? FileResult{-1, fault->error} : result;
}

std::optional<FileResult> FaultyFileApi::pretendedStat(const std::string& path, struct stat& status)
{
    if (!pretendedByUuid_.empty() && path.rfind(pretendedByUuid_ + "/", 0) == 0) {
        const auto volume = pretendedVolumes_.find(path.substr(pretendedByUuid_.size() + 1));
        if (volume == pretendedVolumes_.end())
            return FileResult{-1, ENOENT};
        status = {};
        status.st_mode = S_IFBLK | 0660;
        status.st_rdev = volume->second;
        return FileResult{};
    }
    for (const auto& [folder, device] : pretendedDevices_)
        if (path.rfind(folder + "/", 0) == 0) {
            const FileResult real = real_.stat(path, status);
            if (!real.failed())
                status.st_dev = device;
            return real;
        }
    return std::nullopt;
}

FileResult FaultyFileApi::stat(const std::string& path, struct stat& status)
{
    return pass(FileStep::Stat, [&] {
        if (std::optional<FileResult> pretended = pretendedStat(path, status))
            return *pretended;
        return real_.stat(path, status);
    });
}

FileResult FaultyFileApi::lstat(const std::string& path, struct stat& status)
{
    return pass(FileStep::Lstat, [&] { return real_.lstat(path, status); });
}

FileResult FaultyFileApi::fstat(int fd, struct stat& status)
{
    return pass(FileStep::Fstat, [&] { return real_.fstat(fd, status); });
}

FileResult FaultyFileApi::fchmod(int fd, mode_t mode)
{
    return pass(FileStep::Fchmod, [&] { return real_.fchmod(fd, mode); });
}

FileResult FaultyFileApi::fchown(int fd, uid_t owner, gid_t group)
{
    return pass(FileStep::Fchown, [&] { return real_.fchown(fd, owner, group); });
}

FileResult FaultyFileApi::rename(const std::string& from, const std::string& to)
{
    return pass(FileStep::Rename, [&] { return real_.rename(from, to); });
}

FileResult FaultyFileApi::unlink(const std::string& path)
{
    return pass(FileStep::Unlink, [&] { return real_.unlink(path); });
}

FileResult FaultyFileApi::realPath(const std::string& path, std::string& resolved)
{
    return pass(FileStep::RealPath, [&] { return real_.realPath(path, resolved); });
}

FileResult FaultyFileApi::readLink(const std::string& path, std::string& target)
{
    return pass(FileStep::ReadLink, [&] { return real_.readLink(path, target); });
}

FileResult FaultyFileApi::fileSystemType(const std::string& path, long& magic)
{
    return pass(FileStep::FileSystemType, [&] {
        const FileResult result = real_.fileSystemType(path, magic);
        if (pretendedFileSystem_ != 0 && !result.failed())
            magic = pretendedFileSystem_;
        return result;
    });
}

FileResult FaultyFileApi::fatAttributes(int fd, std::uint32_t& attributes)
{
    return pass(FileStep::FatAttributes, [&] {
        if (!pretendedAttributes_)
            return real_.fatAttributes(fd, attributes);
        attributes = kindOf(fd) == FileStep::CreateNew ? 0 : *pretendedAttributes_;
        return FileResult{};
    });
}

FileResult FaultyFileApi::setFatAttributes(int fd, std::uint32_t attributes)
{
    return pass(FileStep::SetFatAttributes, [&] {
        if (!pretendedAttributes_)
            return real_.setFatAttributes(fd, attributes);
        attributesSet_ = attributes;
        return FileResult{};
    });
}

FileResult FaultyFileApi::listFolder(const std::string& folder, std::vector<FolderEntry>& entries)
{
    return pass(FileStep::ListFolder, [&] {
        if (!pretendedByUuid_.empty() && folder == pretendedByUuid_) {
            entries.clear();
            for (const auto& volume : pretendedVolumes_)
                entries.push_back({volume.first, DT_LNK});
            return FileResult{};
        }
        const FileResult listed = real_.listFolder(folder, entries);
        if (!listed.failed() && !listedTwice_.empty())
            entries.push_back({listedTwice_, DT_REG});
        return listed;
    });
}

const char* stepName(FileStep step)
{
    switch (step) {
    case FileStep::Open: return "Open";
    case FileStep::FatAttributes: return "FatAttributes";
    case FileStep::SetFatAttributes: return "SetFatAttributes";
    case FileStep::CreateNew: return "CreateNew";
    case FileStep::OpenFolder: return "OpenFolder";
    case FileStep::Read: return "Read";
    case FileStep::Write: return "Write";
    case FileStep::Fsync: return "Fsync";
    case FileStep::FsyncFolder: return "FsyncFolder";
    case FileStep::Close: return "Close";
    case FileStep::CloseNew: return "CloseNew";
    case FileStep::CloseFolder: return "CloseFolder";
    case FileStep::WriteAt: return "WriteAt";
    case FileStep::Truncate: return "Truncate";
    case FileStep::Stat: return "Stat";
    case FileStep::Lstat: return "Lstat";
    case FileStep::Fstat: return "Fstat";
    case FileStep::Fchmod: return "Fchmod";
    case FileStep::Fchown: return "Fchown";
    case FileStep::Rename: return "Rename";
    case FileStep::Unlink: return "Unlink";
    case FileStep::RealPath: return "RealPath";
    case FileStep::ReadLink: return "ReadLink";
    case FileStep::FileSystemType: return "FileSystemType";
    case FileStep::ListFolder: return "ListFolder";
    }
    return "?";
}

} // namespace ostra::test
