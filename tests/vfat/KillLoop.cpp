#include "KillLoop.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <random>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Generation.h"
#include "config/ConfigFile.h"

namespace ostra::cardtest {

namespace {

constexpr std::size_t kProblemsKept = 5;
constexpr int kCalibrationSaves = 3;

// What the saving child tells its parent, in memory both share: the
// generation whose save began and the last one that returned.
struct SaverProgress {
    std::atomic<std::uint32_t> begun;
    std::atomic<std::uint32_t> finished;
    char error[240];
};

class SharedProgress {
public:
    SharedProgress()
        : memory_(::mmap(nullptr, sizeof(SaverProgress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0))
    {
        if (memory_ == MAP_FAILED)
            throw std::runtime_error("mmap of the saver's progress failed");
        progress_ = new (memory_) SaverProgress{};
    }
    ~SharedProgress() { ::munmap(memory_, sizeof(SaverProgress)); }
    SharedProgress(const SharedProgress&) = delete;
    SharedProgress& operator=(const SharedProgress&) = delete;

    SaverProgress& operator*() const { return *progress_; }
    SaverProgress* operator->() const { return progress_; }

private:
    void* memory_;
    SaverProgress* progress_;
};

[[noreturn]] void saveForever(const KillLoopSetup& setup, SaverProgress& progress)
{
    try {
        if (setup.saver)
            becomeUser(*setup.saver);
        for (std::uint32_t generation = progress.finished + 1;; ++generation) {
            progress.begun = generation;
            WriteConfigFile(setup.file.string(), generationRecord(generation));
            progress.finished = generation;
        }
    } catch (const std::exception& error) {
        std::strncpy(progress.error, error.what(), sizeof progress.error - 1);
    }
    std::_Exit(1);
}

Inspection inspectFile(const std::filesystem::path& file)
{
    const auto bytes = readWholeFile(file);
    return bytes ? inspectGeneration(*bytes) : Inspection{std::nullopt, "missing or unreadable"};
}

// The time of one save here, measured on the file itself, sets how long the
// child may run before it is killed: from before its first save begins to
// a few saves into the loop.
std::chrono::microseconds killWindow(const KillLoopSetup& setup, std::uint32_t generation)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= kCalibrationSaves; ++i)
        WriteConfigFile(setup.file.string(), generationRecord(generation + i));
    const auto perSave = (std::chrono::steady_clock::now() - start) / kCalibrationSaves;
    return std::chrono::duration_cast<std::chrono::microseconds>(4 * perSave) + std::chrono::microseconds(500);
}

} // namespace

KillLoopFigures runKillLoop(const KillLoopSetup& setup)
{
    KillLoopFigures figures;
    Inspection current = inspectFile(setup.file);
    if (!current.generation)
        throw std::runtime_error("the kill loop needs a complete file to start from: " + current.problem);
    const std::chrono::microseconds window = killWindow(setup, *current.generation);
    current = inspectFile(setup.file);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long long> delay(0, window.count());
    SharedProgress progress;
    for (; figures.kills < setup.kills; ++figures.kills) {
        const std::uint32_t start = current.generation.value_or(0);
        progress->begun = progress->finished = start;
        progress->error[0] = '\0';

        const pid_t child = ::fork();
        if (child < 0)
            throw std::runtime_error("fork failed");
        if (child == 0)
            saveForever(setup, *progress);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        if (progress->error[0] != '\0') {
            ++figures.saveFailures;
            if (figures.problems.size() < kProblemsKept)
                figures.problems.push_back(std::string("save raised: ") + progress->error);
        }
        current = inspectFile(setup.file);
        CutOutcome outcome = judgeCut(current, progress->finished);
        if (outcome.verdict == CutVerdict::Current && *current.generation > progress->begun)
            outcome = {CutVerdict::Damaged, outcome.detail + ": a save that never started"};
        if (outcome.verdict != CutVerdict::Current) {
            ++(outcome.verdict == CutVerdict::Stale ? figures.stale : figures.damaged);
            if (figures.problems.size() < kProblemsKept)
                figures.problems.push_back("kill " + std::to_string(figures.kills + 1) + ": " + outcome.detail);
        }
        if (!current.generation) {
            // Start the next round from a complete file again, so that one
            // loss is counted once.
            WriteConfigFile(setup.file.string(), generationRecord(progress->begun + 1));
            current = inspectFile(setup.file);
        }
    }
    return figures;
}

} // namespace ostra::cardtest
