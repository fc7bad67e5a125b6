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

// One name of a folder with its type as readdir reports it (DT_REG,
// DT_DIR, DT_LNK, ..., or DT_UNKNOWN where the file system does not say).
struct FolderEntry {
    std::string name;
    unsigned char type = 0;
};

// The file requests the editor makes, one virtual per POSIX call, so that
// tests can make any single step fail or stand in for a file system. The
// real implementation is systemFileApi(); requests interrupted by a signal
// are retried there, all but close (see there).
class FileApi {
public:
    virtual ~FileApi();

    virtual FileResult open(const std::string& path, int flags, mode_t mode) = 0;
    // openat(2): the file `name` in the folder open as folderFd. Opening the
    // files of a folder this way spares the kernel walking the folder's path
    // again for each one.
    virtual FileResult openAt(int folderFd, const std::string& name, int flags) = 0;
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
    // The entries of a folder, without "." and "..", in no particular order;
    // a failure when the folder cannot be read to the end.
    virtual FileResult listFolder(const std::string& folder, std::vector<FolderEntry>& entries) = 0;
    // The FAT attribute byte of an open file (hidden, system, volume label,
    // ...), as the kernel's FAT driver answers FAT_IOCTL_GET_ATTRIBUTES;
    // other file systems fail the request (FUSE FAT drivers such as fusefat
    // included).
    virtual FileResult fatAttributes(int fd, std::uint32_t& attributes) = 0;
    // Sets the FAT attribute byte of an open file (FAT_IOCTL_SET_ATTRIBUTES);
    // only a privileged user may set or clear the system mark.
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
