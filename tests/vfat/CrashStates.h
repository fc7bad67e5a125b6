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

// Bytes that reached the medium at an offset.
struct Patch {
    std::size_t Offset;
    std::span<const std::uint8_t> Bytes;
};

// One state the medium may be found in after a crash: the image before the
// operation with these patches laid on it in order. Cards are large and the
// states many, so a state is its patches, not a copy of the card; they view
// the requests' data, which must outlive them.
struct CrashState {
    std::string Name; // which writes (or sectors) of which flush epoch
    std::vector<Patch> Patches;
};

// The image a state leaves. Raises WriteLogError when a patch lies beyond it.
std::vector<std::uint8_t> stateImage(std::span<const std::uint8_t> before, const CrashState& state);

struct StateLimits {
    // An epoch of at most this many units (writes, or sectors when torn)
    // has every subset built; a larger one is sampled: nothing, everything,
    // each prefix, each "all but one", and Samples random subsets.
    std::size_t ExhaustiveUnits = 12;
    std::size_t Samples = 256;
    unsigned Seed = 1;
};

// The states a medium may be left in by an operation's requests: its
// writes and flushes, in the order logged. Discards are left out (the old
// bytes may stay), marks are ignored.
std::vector<CrashState> buildCrashStates(std::span<const LoggedRequest> requests, std::uint32_t sectorSize,
                                         CrashModel model, const StateLimits& limits = {});

} // namespace ostra::cardtest
