// The machine saves in a loop, each save a new generation, and
// acknowledges each completed save; the host cuts the power (kills the
// emulator) at a random moment and inspects the card image.
#include <chrono>

#include "Generation.h"
#include "Scenarios.h"

namespace ostra::cardtest {

namespace {

// Ends the loop should the host never cut the power.
constexpr auto kLongestLoop = std::chrono::seconds(120);

} // namespace

// The card holds A.CFG with generation 0 (see run-power-cuts.sh).
void powerCuts(ScenarioContext& context)
{
    const std::filesystem::path file = context.card / "A.CFG";
    const auto end = std::chrono::steady_clock::now() + kLongestLoop;
    for (std::uint32_t generation = 1; std::chrono::steady_clock::now() < end; ++generation) {
        if (!saveGeneration(context, file, generation))
            return;
        context.report.line("ack " + std::to_string(generation));
    }
    context.report.check(false, "the power was cut within " + std::to_string(kLongestLoop.count()) + " s");
}

// Each save creates a new file in NEW (which the host made), so that the
// path of a save creating its file is cut as well.
void powerCutsNewFiles(ScenarioContext& context)
{
    const std::filesystem::path folder = context.card / "NEW";
    const auto end = std::chrono::steady_clock::now() + kLongestLoop;
    for (std::uint32_t generation = 1; std::chrono::steady_clock::now() < end; ++generation) {
        if (!saveGeneration(context, folder / newFileName(generation), generation))
            return;
        context.report.line("ack " + std::to_string(generation));
    }
    context.report.check(false, "the power was cut within " + std::to_string(kLongestLoop.count()) + " s");
}

} // namespace ostra::cardtest
