#pragma once

#include <string>

namespace ostra::cardtest {

// The host side of the crash-state explorer (ostra-vfat-guest
// --explore-crashes): takes a copy of the card as it was before the
// machine booted and the machine's block-write log, cuts the log at the
// "begin" and "end" marks, brings the copy to where the save found it,
// and for each crash model lays every state of the recorded save on it in
// turn and runs judge on it. judge prints one line (its verdict on the
// state); the counts of each line are printed per model. The card is
// never read whole: a state's bytes are put back after judging. Answers
// the exit status: 0, or 2 when the inputs are unusable.
int exploreCrashes(const std::string& card, const std::string& log, const std::string& judge);

// Lays state index of model on card (a copy of the card as it was before
// the boot), for a machine to run the next save on; with index -1 prints
// how many states the model has instead.
int layCrashState(const std::string& card, const std::string& log, const std::string& model, long index);

} // namespace ostra::cardtest
