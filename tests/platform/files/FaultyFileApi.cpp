#include "platform/files/FaultyFileApi.h"

#include <algorithm>
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

FileResult FaultyFileApi::open(const std::string& path, int flags, mode_t mode)
{
    const FileStep step = (flags & O_DIRECTORY) ? FileStep::OpenFolder
        : (flags & O_EXCL)                      ? FileStep::CreateNew
                                                : FileStep::Open;
    if (const FileFault* fault = enter(step))
        return {-1, fault->error};
    const FileResult result = real_.open(path, flags, mode);
    if (!result.failed())
        openedBy_[static_cast<int>(result.value)] = step;
    return result;
}

FileResult FaultyFileApi::read(int fd, void* buffer, std::size_t count)
{
    if (const FileFault* fault = enter(FileStep::Read)) {
        if (fault->transferLimit < 0)
            return {-1, fault->error};
        count = std::min(count, static_cast<std::size_t>(fault->transferLimit));
    }
    return real_.read(fd, buffer, count);
}

FileResult FaultyFileApi::write(int fd, const void* buffer, std::size_t count)
{
    if (const FileFault* fault = enter(FileStep::Write)) {
        if (fault->transferLimit < 0)
            return {-1, fault->error};
        count = std::min(count, static_cast<std::size_t>(fault->transferLimit));
    }
    return real_.write(fd, buffer, count);
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

FileResult FaultyFileApi::stat(const std::string& path, struct stat& status)
{
    if (const FileFault* fault = enter(FileStep::Stat))
        return {-1, fault->error};
    return real_.stat(path, status);
}

FileResult FaultyFileApi::fchmod(int fd, mode_t mode)
{
    if (const FileFault* fault = enter(FileStep::Fchmod))
        return {-1, fault->error};
    return real_.fchmod(fd, mode);
}

FileResult FaultyFileApi::fchown(int fd, uid_t owner, gid_t group)
{
    if (const FileFault* fault = enter(FileStep::Fchown))
        return {-1, fault->error};
    return real_.fchown(fd, owner, group);
}

FileResult FaultyFileApi::rename(const std::string& from, const std::string& to)
{
    if (const FileFault* fault = enter(FileStep::Rename))
        return {-1, fault->error};
    return real_.rename(from, to);
}

FileResult FaultyFileApi::unlink(const std::string& path)
{
    if (const FileFault* fault = enter(FileStep::Unlink))
        return {-1, fault->error};
    return real_.unlink(path);
}

FileResult FaultyFileApi::realPath(const std::string& path, std::string& resolved)
{
    if (const FileFault* fault = enter(FileStep::RealPath))
        return {-1, fault->error};
    return real_.realPath(path, resolved);
}

const char* stepName(FileStep step)
{
    switch (step) {
    case FileStep::Open: return "Open";
    case FileStep::CreateNew: return "CreateNew";
    case FileStep::OpenFolder: return "OpenFolder";
    case FileStep::Read: return "Read";
    case FileStep::Write: return "Write";
    case FileStep::Fsync: return "Fsync";
    case FileStep::FsyncFolder: return "FsyncFolder";
    case FileStep::Close: return "Close";
    case FileStep::CloseNew: return "CloseNew";
    case FileStep::CloseFolder: return "CloseFolder";
    case FileStep::Stat: return "Stat";
    case FileStep::Fchmod: return "Fchmod";
    case FileStep::Fchown: return "Fchown";
    case FileStep::Rename: return "Rename";
    case FileStep::Unlink: return "Unlink";
    case FileStep::RealPath: return "RealPath";
    }
    return "?";
}

} // namespace ostra::test
