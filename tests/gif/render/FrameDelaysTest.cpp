// The delay rules of the painters: units per frame and the wait they make.
#include "RenderTestSupport.h"

#include "gif/render/FrameDelays.h"

#include <optional>

#include <gtest/gtest.h>

namespace ostra::test {
namespace {

struct DelayCase {
    const char* Name;
    std::optional<std::uint16_t> Delay; // none: no Graphic Control Extension
    bool Synchronous;
    int Units;
};

TEST(FrameDelaysTest, DelayUnitsOfAFrame)
{
    const DelayCase cases[] = {
        {"no extension", std::nullopt, false, 10},
        {"delay 0", 0, false, 10},
        {"delay 1", 1, false, 3},
        {"delay 2", 2, true, 3},
        {"delay 3", 3, false, 3},
        {"delay 25", 25, true, 25},
        {"delay 1000, synchronous", 1000, true, 1000},
        {"delay 1001, synchronous", 1001, true, 1000},
        {"delay 5000, asynchronous", 5000, false, 5000},
    };
    for (const DelayCase& c : cases) {
        GifBuilder builder;
        builder.screen(1, 1).globalColors(2);
        if (c.Delay)
            builder.graphicControl({.delay = *c.Delay});
        const auto picture = LoadPicture(builder.frame({.width = 1, .height = 1, .pixels = {0}}).build());
        EXPECT_EQ(FrameDelayUnits(picture->Frames.First(), c.Synchronous), c.Units) << c.Name;
    }
}

TEST(FrameDelaysTest, WaitScalesWithSpeedAndMakesUpHalfTheLateness)
{
    EXPECT_EQ(FrameWaitMilliseconds(3, 0, 100), 36) << "a delay of 1 plays as 3 units of 12 ms";
    EXPECT_EQ(FrameWaitMilliseconds(10, 0, 100), 120) << "a missing delay plays as 10 units";
    EXPECT_EQ(FrameWaitMilliseconds(10, 0, 200), 60);
    EXPECT_EQ(FrameWaitMilliseconds(10, 0, 50), 240);
    EXPECT_EQ(FrameWaitMilliseconds(10, 20, 100), 110);
    EXPECT_EQ(FrameWaitMilliseconds(10, 21, 100), 110) << "half the lateness, truncated";
    EXPECT_LT(FrameWaitMilliseconds(3, 100, 100), 0) << "too late to wait at all";
}

} // namespace
} // namespace ostra::test
