// A child process saves in a tight loop and is killed at random moments;
// after each kill the file must hold one complete version, never an empty,
// short or mixed one, and the next save must clear what the kills left.
#include "platform/FileSave.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <functional>
#include <iostream>
#include <random>
#include <gtest/gtest.h>

#include "platform/FileSaveLeftovers.h"
#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

constexpr int kKills = 300;
const Bytes kFirst = patternBytes(2048, 3);
const Bytes kSecond = patternBytes(2048, 4);

struct KillFigures {
    int kills = 0;
    int lost = 0;       // empty, short or mixed files
    int failedSaves = 0; // children that stopped on an error of their own
    int leftovers = 0;  // temporary files found after the kills
};

[[noreturn]] void saveForever(const std::string& target, const std::function<void()>& becomeSaver)
{
    becomeSaver();
    try {
        for (unsigned n = 0;; ++n)
            saveFileSafely(systemFileApi(), target, (n & 1) ? kSecond : kFirst);
    } catch (...) {
        ::_exit(2);
    }
}

int countLeftovers(const TempFolder& folder)
{
    int count = 0;
    for (const std::string& name : folder.entries())
        count += isTemporaryName(name) ? 1 : 0;
    return count;
}

void ageLeftovers(const TempFolder& folder)
{
    const timeval past{std::time(nullptr) - 120, 0};
    const timeval times[2] = {past, past};
    for (const std::string& name : folder.entries())
        if (isTemporaryName(name))
            ::utimes(folder.file(name).c_str(), times);
}

KillFigures killSavesAtRandom(const TempFolder& folder, const std::string& target,
                              const std::function<void()>& becomeSaver)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    KillFigures figures;
    for (; figures.kills < kKills; ++figures.kills) {
        const pid_t child = ::fork();
        if (child == 0)
            saveForever(target, becomeSaver);
        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status))
            ++figures.failedSaves;
        const Bytes now = readBytes(target);
        if (now != kFirst && now != kSecond)
            ++figures.lost;
    }
    figures.leftovers = countLeftovers(folder);
    return figures;
}

void report(const char* what, const KillFigures& figures)
{
    std::cout << what << ": " << figures.kills << " kills, " << figures.lost << " files lost, "
              << figures.failedSaves << " failed saves, " << figures.leftovers << " leftovers\n";
}

TEST(SaveKilled, LeavesOneCompleteVersionAndTheNextSaveClearsLeftovers)
{
    TempFolder folder;
    const std::string target = folder.file("unit.cfg");
    writeBytes(target, kFirst);

    const KillFigures figures = killSavesAtRandom(folder, target, [] {});
    report("replacing saves", figures);
    EXPECT_EQ(figures.lost, 0);
    EXPECT_EQ(figures.failedSaves, 0);

    ageLeftovers(folder);
    saveFileSafely(systemFileApi(), target, kFirst);
    EXPECT_EQ(countLeftovers(folder), 0);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"unit.cfg"});
}

// In a folder the saving user cannot write, every save goes in place.
TEST(SaveKilled, InPlaceNeverLeavesAnEmptyFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to drop to another user";
    TempFolder folder;
    const std::string target = folder.file("unit.cfg");
    writeBytes(target, kFirst);
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);

    const KillFigures figures = killSavesAtRandom(folder, target, [] {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
    });
    report("in-place saves", figures);
    EXPECT_EQ(figures.lost, 0);
    EXPECT_EQ(figures.failedSaves, 0);
    EXPECT_EQ(figures.leftovers, 0);
}

} // namespace
} // namespace ostra::test
