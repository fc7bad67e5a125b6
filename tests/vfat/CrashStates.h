#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "WriteLog.h"

namespace ostra::cardtest {

// How a crash may leave one operation's writes on a medium whose volatile
// cache is emptied only by a flush (the models of the ALICE and CrashMonkey
// studies):
enum class CrashModel {
    Prefix,  // the first n writes, in the order issued
    Reorder, // every write before the last completed flush, and any subset
             // of the writes issued since
    Torn,    // the same, with any subset of those writes' sectors
};

const char* modelName(CrashModel model);

// One state the medium may be found in after a crash.
struct CrashState {
    std::string Name; // which writes (or sectors) of which flush epoch
    std::vector<std::uint8_t> Image;
};

struct StateLimits {
    // An epoch of at most this many units (writes, or sectors when torn)
    // has every subset built; a larger one is sampled: nothing, everything,
    // each prefix, each "all but one", and Samples random subsets.
    std::size_t ExhaustiveUnits = 12;
    std::size_t Samples = 256;
    unsigned Seed = 1;
};

// The states image (the medium before the operation) may be left in by
// the operation's requests: its writes and flushes, in the order logged.
// Discards are left out (the old bytes may stay), marks are ignored.
// Raises WriteLogError when a write lies beyond the image.
std::vector<CrashState> buildCrashStates(std::span<const std::uint8_t> image,
                                         std::span<const LoggedRequest> requests, std::uint32_t sectorSize,
                                         CrashModel model, const StateLimits& limits = {});

} // namespace ostra::cardtest
