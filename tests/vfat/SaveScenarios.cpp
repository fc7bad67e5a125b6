// The save paths on a real vfat card: a new file and repeated saves, the
// in-place write into a folder the user may not add files to, the in-place
// write on a FAT16 root folder with no free entry, and saves killed at
// random moments.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "Generation.h"
#include "Scenarios.h"
#include "config/ConfigFile.h"
#include "platform/InOutError.h"

namespace ostra::cardtest {

namespace {

constexpr Identity kSavingUser{1000, 1000};
constexpr auto kLeftoverAge = std::chrono::minutes(2);
constexpr const char* kOldLeftover = ".ostra-0badf00d.tmp";
constexpr const char* kYoungLeftover = ".ostra-a1b2c3d4.tmp";

// Creates empty files in folder until the file system refuses one; returns
// how many fitted and the refusal's error number.
std::pair<int, int> fillFolder(const std::filesystem::path& folder)
{
    for (int count = 0;; ++count) {
        char name[16];
        std::snprintf(name, sizeof name, "F%05d.DAT", count);
        const int fd = ::open((folder / name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            return {count, errno};
        ::close(fd);
    }
}

} // namespace

void normalSave(ScenarioContext& context)
{
    const std::filesystem::path folder = context.card / "SAVES";
    std::filesystem::create_directory(folder);
    const std::filesystem::path file = folder / "NEW.CFG";
    for (std::uint32_t generation = 1; generation <= 3; ++generation) {
        if (saveGeneration(context, file, generation))
            checkGeneration(context, file, generation);
    }
    const auto names = folderNames(folder);
    context.report.check(names == std::vector<std::string>{"NEW.CFG"},
                         "the folder holds the saved file alone: " + joinNames(names));
}

void readOnlyFolder(ScenarioContext& context)
{
    const std::filesystem::path folder = context.card / "RO";
    const std::filesystem::path file = folder / "A.CFG";
    const int childStatus = runInChild([&] {
        becomeUser(kSavingUser);
        GuestReport& report = context.report;
        const bool folderClosed = report.check(::access(folder.c_str(), W_OK) != 0,
                                               "uid 1000 may not add files to " + folder.string());
        const bool fileOpen = report.check(::access(file.c_str(), W_OK) == 0, "uid 1000 may write " + file.string());
        if (!folderClosed || !fileOpen)
            return 1;
        if (saveGeneration(context, file, 1))
            checkGeneration(context, file, 1);
        const std::filesystem::path newFile = folder / "NEW.CFG";
        try {
            WriteConfigFile(newFile.string(), generationRecord(1));
            report.check(false, "a new file in the closed folder is refused");
        } catch (const EInOutError& error) {
            report.check(error.ErrorCode == static_cast<int>(InOutErrorCode::FileAccessDenied),
                         "a new file in the closed folder is refused: \"" + error.Message + "\"");
        }
        report.check(!std::filesystem::exists(newFile), "the refused save created nothing");
        checkNoLeftovers(context, folder);
        return report.failures() == 0 ? 0 : 1;
    });
    context.report.check(childStatus == 0, "the saves as uid 1000 passed (status " + std::to_string(childStatus) + ")");

    const KillLoopFigures figures = runKillLoop({file, context.kills, kSavingUser});
    reportKillLoop(context, "read-only-folder", figures);
    checkNoLeftovers(context, folder);
}

void fullRootFolder(ScenarioContext& context)
{
    const std::filesystem::path file = context.card / "A.CFG";
    const auto [filled, refusal] = fillFolder(context.card);
    context.report.figure("root-files-added", filled);
    context.report.line(std::string("note the root folder refused file ") + std::to_string(filled + 1) + ": " +
                        std::strerror(refusal));
    if (!context.report.check(refusal == ENOSPC || refusal == EPERM || refusal == EMLINK,
                              "the root folder is full"))
        return;
    if (saveGeneration(context, file, 1))
        checkGeneration(context, file, 1);
    const KillLoopFigures figures = runKillLoop({file, context.kills / 2, std::nullopt});
    reportKillLoop(context, "full-root-folder", figures);
    checkNoLeftovers(context, context.card);
}

void killLoop(ScenarioContext& context)
{
    const std::filesystem::path folder = context.card / "KILLS";
    std::filesystem::create_directory(folder);
    const std::filesystem::path file = folder / "A.CFG";
    if (!saveGeneration(context, file, 0))
        return;
    const KillLoopFigures figures = runKillLoop({file, context.kills, std::nullopt});
    reportKillLoop(context, "kill-loop", figures);

    // What killed saves leave behind goes with the next save once it is
    // old enough not to be another instance's save in progress. One such
    // leftover is made here in case the saves above left none.
    context.report.figure("leftovers-after-kills", static_cast<long long>(leftoverTemporaryFiles(folder).size()));
    context.report.check(writeWholeFile(folder / kOldLeftover, generationRecord(1)), "a leftover was planted");
    moveClockForward(kLeftoverAge);
    context.report.check(writeWholeFile(folder / kYoungLeftover, generationRecord(1)),
                         "a save in progress elsewhere was planted");
    const auto before = readWholeFile(file);
    const std::uint32_t next = before ? inspectGeneration(*before).generation.value_or(0) + 1 : 1;
    if (saveGeneration(context, file, next))
        checkGeneration(context, file, next);
    const auto left = leftoverTemporaryFiles(folder);
    context.report.figure("leftovers-after-next-save",
                          std::count_if(left.begin(), left.end(), [](const std::string& name) { return name != kYoungLeftover; }));
    context.report.check(left == std::vector<std::string>{kYoungLeftover},
                         "the next save removed the old leftovers and kept the young one: " + joinNames(left));
    std::filesystem::remove(folder / kYoungLeftover);
}

} // namespace ostra::cardtest
