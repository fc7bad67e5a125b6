#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "GuestMachine.h"

namespace ostra::cardtest {

// A child process saves one file in a tight loop, each save a new
// generation, and is killed (SIGKILL) at a random moment; then the file
// must hold, complete, the last generation the child finished or the one
// it had begun. Repeated `kills` times, each round continuing from what the
// file holds.
struct KillLoopSetup {
    std::filesystem::path file;
    int kills = 0;
    std::optional<Identity> saver; // the saving user; root when unset
};

struct KillLoopFigures {
    int kills = 0;
    int damaged = 0;      // empty, cut short, mixed or unreadable
    int stale = 0;        // complete, but older than a save the child finished
    int saveFailures = 0; // rounds in which a save raised an error
    std::vector<std::string> problems; // the first few, for the log
};

KillLoopFigures runKillLoop(const KillLoopSetup& setup);

} // namespace ostra::cardtest
