#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileApi.h"

namespace ostra::test {

// Each request the file layer makes, told apart by what it works on: a new
// file is one opened with O_EXCL, a folder one opened with O_DIRECTORY; an
// open relative to a folder counts as an open.
enum class FileStep {
    Open, CreateNew, OpenFolder,
    Read, Write, Fsync, FsyncFolder,
    Close, CloseNew, CloseFolder,
    WriteAt, Truncate,
    Stat, Lstat, Fstat, Fchmod, Fchown, Rename, Unlink, RealPath,
    ReadLink, FileSystemType, ListFolder, FatAttributes, SetFatAttributes,
};

// One injected fault: the occurrence-th request of step fails with error,
// or, for Read and Write with a transfer limit, moves only that many bytes.
struct FileFault {
    FileStep step;
    int error = 0;
    long long transferLimit = -1;
    int occurrence = 1;
};

// The real file system with faults injected at chosen steps; it logs every
// request so that tests can check the order of a save.
class FaultyFileApi : public FileApi {
public:
    explicit FaultyFileApi(FileApi& real = systemFileApi()) : real_(real) {}

    void inject(FileFault fault) { faults_.push_back(fault); }
    // Makes fileSystemType answer magic for every path, as if the files lay
    // on that file system (0x4d44 is FAT).
    void pretendFileSystem(long magic) { pretendedFileSystem_ = magic; }
    // Makes fatAttributes answer attributes for files opened without
    // O_EXCL and 0 for new ones; setFatAttributes records what it is given.
    void pretendFatAttributes(std::uint32_t attributes) { pretendedAttributes_ = attributes; }
    std::uint32_t attributesSet() const { return attributesSet_; }
    // Makes listFolder list name once more than the folder holds it, as a
    // card's folder damaged by a power cut may.
    void pretendListedTwice(std::string name) { listedTwice_ = std::move(name); }
    // Makes every open that asks to write the file called name (the last
    // part of its path), or any file when name is empty, fail with error, as
    // a read-only file (EACCES) or a card with its lock switch on (EROFS)
    // refuses it; opens for reading only go through.
    void refuseWriting(int error, std::string name = {}) { writeRefusals_.emplace_back(std::move(name), error); }
    // Makes the files under folder lie on device (stat's st_dev), as the
    // files of a card mounted there do; another call moves them to another.
    void pretendDevice(std::string folder, dev_t device) { pretendedDevices_[std::move(folder)] = device; }
    // Makes byUuid hold exactly these volumes, each a block device entry
    // whose device is the one given, as /dev/disk/by-uuid does.
    void pretendVolumes(std::string byUuid, std::map<std::string, dev_t> volumes)
    {
        pretendedByUuid_ = std::move(byUuid);
        pretendedVolumes_ = std::move(volumes);
    }
    const std::vector<FileStep>& log() const { return log_; }
    int count(FileStep step) const;
    std::size_t openDescriptors() const { return openedBy_.size(); }

    FileResult open(const std::string& path, int flags, mode_t mode) override;
    FileResult openAt(int folderFd, const std::string& name, int flags) override;
    FileResult read(int fd, void* buffer, std::size_t count) override;
    FileResult write(int fd, const void* buffer, std::size_t count) override;
    FileResult fsync(int fd) override;
    FileResult close(int fd) override;
    FileResult pwrite(int fd, const void* buffer, std::size_t count, off_t offset) override;
    FileResult ftruncate(int fd, off_t length) override;
    FileResult stat(const std::string& path, struct stat& status) override;
    FileResult lstat(const std::string& path, struct stat& status) override;
    FileResult fstat(int fd, struct stat& status) override;
    FileResult fchmod(int fd, mode_t mode) override;
    FileResult fchown(int fd, uid_t owner, gid_t group) override;
    FileResult rename(const std::string& from, const std::string& to) override;
    FileResult unlink(const std::string& path) override;
    FileResult realPath(const std::string& path, std::string& resolved) override;
    FileResult readLink(const std::string& path, std::string& target) override;
    FileResult fileSystemType(const std::string& path, long& magic) override;
    FileResult listFolder(const std::string& folder, std::vector<FolderEntry>& entries) override;
    FileResult fatAttributes(int fd, std::uint32_t& attributes) override;
    FileResult setFatAttributes(int fd, std::uint32_t attributes) override;

private:
    // Logs the request; returns the fault to apply to it, if any.
    const FileFault* enter(FileStep step);
    FileStep kindOf(int fd) const;
    static FileStep openStep(int flags);
    template <typename Call>
    FileResult opening(const std::string& name, int flags, Call call);
    int writeRefusal(const std::string& name, int flags) const;
    // Runs call unless a fault is injected at step.
    template <typename Call>
    FileResult pass(FileStep step, Call call);
    // A transfer that a fault may fail or cut short.
    template <typename Call>
    FileResult transfer(FileStep step, std::size_t count, Call call);

    // Answers a stat the pretended devices and volumes decide, if any.
    std::optional<FileResult> pretendedStat(const std::string& path, struct stat& status);

    FileApi& real_;
    std::map<std::string, dev_t> pretendedDevices_;
    std::string pretendedByUuid_;
    std::map<std::string, dev_t> pretendedVolumes_;
    std::vector<FileFault> faults_;
    std::vector<FileStep> log_;
    std::map<int, FileStep> openedBy_;
    std::vector<std::pair<std::string, int>> writeRefusals_;
    long pretendedFileSystem_ = 0;
    std::optional<std::uint32_t> pretendedAttributes_;
    std::uint32_t attributesSet_ = 0;
    std::string listedTwice_;
};

const char* stepName(FileStep step);

} // namespace ostra::test
