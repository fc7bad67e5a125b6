#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "config/ConfigRecord.h"

namespace ostra::cardtest {

// What the card tests save: a record whose every 16-byte line names the
// save's generation and the line's own place,
//
//   "G00000042 L0000\n" "G00000042 L0001\n" ... "G00000042 L0127\n"
//
// so that a file cut short, a block of an older save, a block landing in
// the wrong place and a cluster of someone else's data all show.
TConfigRecord generationRecord(std::uint32_t generation);

struct Inspection {
    std::optional<std::uint32_t> generation; // set only when the file is complete
    std::string problem;                     // why it is not, for the log
};

Inspection inspectGeneration(std::span<const std::uint8_t> bytes);

// The file after a save was cut off (process killed, power lost): the last
// save reported complete was lastCompleted, and at most the one after it
// can have been under way.
enum class CutVerdict { Current, Stale, Damaged };

struct CutOutcome {
    CutVerdict verdict;
    std::string detail;
};

CutOutcome judgeCut(const Inspection& file, std::uint32_t lastCompleted);

// A file found after a crash in the middle of the save that replaced
// generation before with generation after: one of the two whole, a mix of
// their lines (a plausible but wrong set-up), or anything else.
enum class ContentVerdict { Old, New, Mixed, Neither };

ContentVerdict judgeContent(std::span<const std::uint8_t> bytes, std::uint32_t before, std::uint32_t after);

// The same when every save creates a new file, named after its generation
// ("G0000042.CFG"): each completed save's file must be there, complete; the
// file of the save under way may be missing but not damaged. files maps
// the names found in the folder to what they hold.
std::string newFileName(std::uint32_t generation);
CutOutcome judgeNewFilesCut(const std::map<std::string, Inspection>& files, std::uint32_t lastCompleted);

} // namespace ostra::cardtest
