#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ostra::cardtest {

// The value of "name=value" on the kernel command line, if present.
std::optional<std::string> kernelParameter(const std::string& name);

// Mounts the machine's card (the first virtio disk) with the vfat driver,
// or the exfat driver when its boot sector names exFAT, waiting for the
// disk to appear. Raises std::runtime_error with the reason.
void mountCard(const std::filesystem::path& mountPoint, const std::string& options);
// The same for another of the machine's disks ("/dev/vdb").
void mountDisk(const std::string& device, const std::filesystem::path& mountPoint, const std::string& options);
void unmountCard(const std::filesystem::path& mountPoint);

// Writes text, padded with zeros to one 512-byte sector, into the card's
// last sector (the host leaves it outside the file system) and waits until
// the disk has it. A recorded write log is cut at these marks.
void writeCardMark(const std::string& text);
[[noreturn]] void powerOff();

struct Identity {
    uid_t uid;
    gid_t gid;
};

// Drops root for the rest of the calling process.
void becomeUser(Identity user);

// Runs body in a child process and returns its exit status (128 + signal
// when it was killed).
int runInChild(const std::function<int()>& body);

// Sets the machine's clock forward, so that files written so far look old.
void moveClockForward(std::chrono::seconds by);

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file);
// A plain write, for files the tests plant (not through the editor's save).
bool writeWholeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
// The names in folder, sorted; "." and ".." left out.
std::vector<std::string> folderNames(const std::filesystem::path& folder);
// The editor's temporary files left in folder by saves that did not finish.
std::vector<std::string> leftoverTemporaryFiles(const std::filesystem::path& folder);

std::string joinNames(const std::vector<std::string>& names);

} // namespace ostra::cardtest
