#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ostra {

// The outcome of one POSIX file request: value is what the call returned
// (a descriptor, a byte count, 0), error the error number when it failed.
struct FileResult {
    long long value = 0;
    int error = 0;

    bool failed() const { return error != 0; }
};

// The file requests the editor makes, one virtual per POSIX call, so that
// tests can make any single step fail. The real implementation is
// systemFileApi(); requests interrupted by a signal are retried there.
class FileApi {
public:
    virtual ~FileApi();

    virtual FileResult open(const std::string& path, int flags, mode_t mode) = 0;
    virtual FileResult read(int fd, void* buffer, std::size_t count) = 0;
    virtual FileResult write(int fd, const void* buffer, std::size_t count) = 0;
    virtual FileResult pwrite(int fd, const void* buffer, std::size_t count, off_t offset) = 0;
    virtual FileResult ftruncate(int fd, off_t length) = 0;
    virtual FileResult fsync(int fd) = 0;
    virtual FileResult close(int fd) = 0;
    virtual FileResult stat(const std::string& path, struct stat& status) = 0;
    virtual FileResult lstat(const std::string& path, struct stat& status) = 0;
    virtual FileResult fstat(int fd, struct stat& status) = 0;
    virtual FileResult fchmod(int fd, mode_t mode) = 0;
    virtual FileResult fchown(int fd, uid_t owner, gid_t group) = 0;
    virtual FileResult rename(const std::string& from, const std::string& to) = 0;
    virtual FileResult unlink(const std::string& path) = 0;
    // realpath(3): the absolute path with every symbolic link resolved.
    virtual FileResult realPath(const std::string& path, std::string& resolved) = 0;
    // readlink(2): the text of the symbolic link at path.
    virtual FileResult readLink(const std::string& path, std::string& target) = 0;
    // statfs(2): the magic number of the file system that holds path.
    virtual FileResult fileSystemType(const std::string& path, long& magic) = 0;
    // The names in a folder, without "." and "..", in no particular order.
    virtual FileResult listFolder(const std::string& folder, std::vector<std::string>& names) = 0;
    // The FAT attribute bits (ATTR_HIDDEN, ATTR_SYS, ...) of the file open
    // at fd, and setting them; other file systems answer ENOTTY.
    virtual FileResult fatAttributes(int fd, std::uint32_t& attributes) = 0;
    virtual FileResult setFatAttributes(int fd, std::uint32_t attributes) = 0;
};

// The operating system's files.
FileApi& systemFileApi();

// Holds an open descriptor and closes it, ignoring errors, unless the owner
// closed it first through closeChecked().
class OpenFile {
public:
    OpenFile(FileApi& files, int fd) : files_(files), fd_(fd) {}
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }
    // Closes now; a failure raises the "I/O error N" form.
    void closeChecked();
    // Closes now, for paths that already report another error.
    void closeQuietly();

private:
    FileApi& files_;
    int fd_;
};

} // namespace ostra
