// ostra-show-bench: ostra-cfg show of one file, from its start to its exit
// (what every command but report costs to start), against peers doing the
// same work: ostra-bare-show, which reads the 2048 bytes and prints the
// texts with the C library alone, and, when given, another build's
// ostra-cfg (for example one of 4a72eba, before reports were drawn).
//
//   ostra-show-bench [RUNS [OSTRA_CFG [OTHER_OSTRA_CFG]]]
//
// OSTRA_CFG defaults (also when given empty) to this build's. Each timed run starts one program
// with posix_spawn, its output thrown away, and times it from the spawn to
// its exit. The runs go round the programs in turn after one unmeasured
// warm-up of each, so that a noisy moment of the shared machine falls on
// all of them; medians and ostra-cfg's ratios to each peer are printed.
//
// The peak resident memory is each program's own: a few more runs stop
// the program as it exits (ptrace with PTRACE_O_TRACEEXIT) and read its
// VmHWM. wait4's ru_maxrss would count the bench's own pages too, which a
// started process holds until its exec.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/Statistics.h"
#include "config/ConfigFields.h"
#include "config/ConfigFile.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 101;
constexpr int kMemoryRuns = 5;

struct Program {
    const char* Name;
    std::vector<std::string> Arguments; // the program's path first
    std::vector<double> Milliseconds;
    std::vector<double> PeakMegabytes;
};

std::vector<char*> argvOf(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

void expectSuccess(const Program& program, int status)
{
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(program.Arguments[0] + " failed (wait status " + std::to_string(status) + ")");
}

double timedMilliseconds(const Program& program)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = argvOf(program.Arguments);
    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error(program.Arguments[0] + ": " + std::strerror(error));
    int status = 0;
    waitpid(pid, &status, 0);
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    expectSuccess(program, status);
    return elapsed;
}

double highWaterMegabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024.0;
    throw std::runtime_error("no VmHWM for process " + std::to_string(pid));
}

// The program's peak resident memory, read while it is held at its exit.
double peakMegabytes(const Program& program)
{
    std::vector<char*> argv = argvOf(program.Arguments);
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    double peak = -1;
    bool first = true;
    int status = 0;
    // Stops: the exec (SIGTRAP), the exit event, and any signal the program
    // is sent, which goes on to it.
    while (waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
        int signal = WSTOPSIG(status) == SIGTRAP ? 0 : WSTOPSIG(status);
        if (first)
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
        first = false;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            peak = highWaterMegabytes(pid);
            signal = 0;
        }
        ptrace(PTRACE_CONT, pid, nullptr, signal);
    }
    expectSuccess(program, status);
    if (peak < 0)
        throw std::runtime_error(program.Arguments[0] + " was not seen at its exit");
    return peak;
}

// A unit whose every text is set, so that show prints each line in full.
std::string makeUnit(const std::filesystem::path& folder)
{
    ostra::TConfigRecord record{};
    for (const ostra::ConfigField& field : ostra::ConfigFields())
        if (field.Kind == ostra::FieldKind::Text || field.Kind == ostra::FieldKind::InstallerLine)
            ostra::WriteFieldText(record, field, field.Label);
    const std::string path = (folder / "HALL.CFG").string();
    ostra::WriteConfigFile(path, record);
    return path;
}

using ostra::bench::median;
using ostra::bench::quantile;

void printResults(const std::vector<Program>& programs, int runs)
{
    const Program& ours = programs.front();
    const double ourTime = median(ours.Milliseconds);
    const double ourPeak = median(ours.PeakMegabytes);
    std::printf("show of one file: %d interleaved runs each, medians (after one warm-up each)\n", runs);
    std::printf("%-18s %10s %10s   %s\n", "", "time", "peak RSS", "ostra-cfg's ratio: time, RSS");
    for (const Program& program : programs) {
        const double time = median(program.Milliseconds);
        const double peak = median(program.PeakMegabytes);
        std::printf("%-18s %7.2f ms %6.1f MiB", program.Name, time, peak);
        if (&program != &ours)
            std::printf("   %.2fx  %.2fx", ourTime / time, ourPeak / peak);
        std::printf("\n");
    }
    // The spread tells a quiet machine from a busy one.
    std::printf("middle half of the times:");
    for (const Program& program : programs)
        std::printf(" %s %.2f-%.2f ms;", program.Name, quantile(program.Milliseconds, 0.25),
                    quantile(program.Milliseconds, 0.75));
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    const std::string ostraCfg = argc > 2 && *argv[2] != '\0' ? argv[2] : OSTRA_CFG_PATH;
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("ostra-show-bench-" + std::to_string(getpid()));
    try {
        std::filesystem::create_directories(scratch);
        const std::string unit = makeUnit(scratch);
        std::vector<Program> programs = {
            {"ostra-cfg", {ostraCfg, "show", unit}, {}, {}},
            {"bare show", {OSTRA_BARE_SHOW_PATH, unit}, {}, {}},
        };
        if (argc > 3)
            programs.push_back({"other ostra-cfg", {argv[3], "show", unit}, {}, {}});
        for (Program& program : programs)
            timedMilliseconds(program);
        for (int run = 0; run < runs; ++run)
            for (Program& program : programs)
                program.Milliseconds.push_back(timedMilliseconds(program));
        for (int run = 0; run < kMemoryRuns; ++run)
            for (Program& program : programs)
                program.PeakMegabytes.push_back(peakMegabytes(program));
        printResults(programs, runs);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "ostra-show-bench: %s\n", error.what());
        std::filesystem::remove_all(scratch);
        return 1;
    }
    std::filesystem::remove_all(scratch);
    return 0;
}
