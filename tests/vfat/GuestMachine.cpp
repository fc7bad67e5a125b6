#include "GuestMachine.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/reboot.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/drives/CardFolderListing.h"

namespace ostra::cardtest {

namespace {

constexpr const char* kCardDevice = "/dev/vda";
constexpr auto kDiskWait = std::chrono::seconds(10);

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

} // namespace

std::optional<std::string> kernelParameter(const std::string& name)
{
    std::ifstream commandLine("/proc/cmdline");
    std::string word;
    while (commandLine >> word) {
        if (word.starts_with(name + "="))
            return word.substr(name.size() + 1);
    }
    return std::nullopt;
}

void mountCard(const std::filesystem::path& mountPoint, const std::string& options)
{
    mountDisk(kCardDevice, mountPoint, options);
}

namespace {

// "exfat" when the disk's boot sector names exFAT, else "vfat"; nothing
// while the disk's node is not there yet.
std::optional<std::string> fileSystemOf(const std::string& device)
{
    std::ifstream disk(device, std::ios::binary);
    if (!disk)
        return std::nullopt;
    char boot[11] = {};
    disk.read(boot, sizeof boot);
    return std::string(boot + 3, 8) == "EXFAT   " ? "exfat" : "vfat";
}

} // namespace

void mountDisk(const std::string& device, const std::filesystem::path& mountPoint, const std::string& options)
{
    std::filesystem::create_directories(mountPoint);
    // The disk's node appears once the virtio driver has probed it.
    const auto deadline = std::chrono::steady_clock::now() + kDiskWait;
    std::optional<std::string> type;
    while (!(type = fileSystemOf(device)) ||
           ::mount(device.c_str(), mountPoint.c_str(), type->c_str(), 0, options.c_str()) != 0) {
        if (!type)
            errno = ENOENT;
        if ((errno != ENOENT && errno != ENXIO) || std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error(systemError("mount " + device + " -o " + options));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void writeCardMark(const std::string& text)
{
    constexpr std::size_t kSector = 512;
    const int fd = ::open(kCardDevice, O_WRONLY | O_DIRECT | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error(systemError(std::string("open ") + kCardDevice));
    std::uint64_t size = 0;
    void* sector = nullptr;
    const bool written = ::ioctl(fd, BLKGETSIZE64, &size) == 0 && size >= kSector &&
                         ::posix_memalign(&sector, kSector, kSector) == 0;
    bool done = false;
    if (written) {
        std::memset(sector, 0, kSector);
        std::memcpy(sector, text.data(), std::min(text.size(), kSector));
        done = ::pwrite(fd, sector, kSector, static_cast<off_t>(size - kSector)) == static_cast<ssize_t>(kSector) &&
               ::fsync(fd) == 0;
        std::free(sector);
    }
    const std::string failure = done ? std::string() : systemError("writing the mark " + text);
    ::close(fd);
    if (!done)
        throw std::runtime_error(failure);
}

void unmountCard(const std::filesystem::path& mountPoint)
{
    if (::umount(mountPoint.c_str()) != 0)
        throw std::runtime_error(systemError("umount " + mountPoint.string()));
}

void powerOff()
{
    ::sync();
    ::reboot(RB_POWER_OFF);
    std::_Exit(1);
}

void becomeUser(Identity user)
{
    if (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0)
        throw std::runtime_error(systemError("dropping to uid " + std::to_string(user.uid)));
}

int runInChild(const std::function<int()>& body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error(systemError("fork"));
    if (child == 0) {
        int status = 100;
        try {
            status = body();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "child: %s\n", error.what());
        }
        std::_Exit(status);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void moveClockForward(std::chrono::seconds by)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec += by.count();
    if (::clock_settime(CLOCK_REALTIME, &now) != 0)
        throw std::runtime_error(systemError("clock_settime"));
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

bool writeWholeFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

std::vector<std::string> folderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> leftoverTemporaryFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> leftovers;
    for (const std::string& name : folderNames(folder)) {
        if (MatchesWildcard(name, ".ostra-????????.tmp"))
            leftovers.push_back(name);
    }
    return leftovers;
}

std::string joinNames(const std::vector<std::string>& names)
{
    std::ostringstream joined;
    for (std::size_t i = 0; i < names.size(); ++i)
        joined << (i ? ", " : "") << '"' << names[i] << '"';
    return "[" + joined.str() + "]";
}

} // namespace ostra::cardtest
