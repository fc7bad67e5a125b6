// Progress notifications of a load, and the state a failed load leaves.
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

namespace ostra::test {
namespace {

struct Event {
    const TPersistent* Sender;
    TProgressStage Stage;
    int Percent;
    bool Redraw;
    TRect Rect;
    std::string Message;
    friend bool operator==(const Event&, const Event&) = default;
};

// Header (19 bytes), two 2 x 2 frames (16 bytes each), trailer: 52 bytes.
const Bytes kTwoFrames = Join({Header(2, 2, 0), ImageDescriptor(2, 2), TwoByTwoImageData(), ImageDescriptor(2, 2),
                               TwoByTwoImageData(), {0x3B}});

class ProgressTest : public testing::Test {
protected:
    ProgressTest()
    {
        picture.ProgressHandler = [this](TPersistent& sender, TProgressStage stage, int percent, bool redraw,
                                         const TRect& rect, const std::string& message) {
            events.push_back({&sender, stage, percent, redraw, rect, message});
        };
    }

    TGIFImage picture;
    std::vector<Event> events;
};

TEST_F(ProgressTest, StartOneReportPerFrameAndEnd)
{
    ASSERT_EQ(kTwoFrames.size(), 52u);
    ASSERT_EQ(Load(picture, kTwoFrames).Error, "");
    const std::vector<Event> expected = {
        {&picture, TProgressStage::Starting, 0, false, {}, "Loading..."},
        {&picture.Frames, TProgressStage::Running, 67, false, {}, "Loading..."}, // 35 of 52 bytes
        {&picture.Frames, TProgressStage::Running, 98, false, {}, "Loading..."}, // 51 of 52 bytes
        {&picture, TProgressStage::Ending, 100, true, {}, "Loading..."},
    };
    EXPECT_EQ(events, expected);
}

TEST_F(ProgressTest, FailedLoadEndsWithZeroAndRewindsTheStream)
{
    // Something before the picture; the second frame has an unknown extension.
    const Bytes bytes = Join({{'x', 'y', 'z'}, Header(2, 2, 0), ImageDescriptor(2, 2), TwoByTwoImageData(),
                              {0x21, 0x02, 0x00}, ImageDescriptor(2, 2), TwoByTwoImageData(), {0x3B}});
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    stream.SetPosition(3);
    try {
        picture.LoadFromStream(stream);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Unknown extension type");
    }
    EXPECT_EQ(stream.Position(), 3);
    // The frame completed before the error stays.
    ASSERT_EQ(picture.Frames.Count(), 1u);
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(picture.Width(), 2);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Stage, TProgressStage::Starting);
    EXPECT_EQ(events[1].Stage, TProgressStage::Running);
    EXPECT_EQ(events[2], (Event{&picture, TProgressStage::Ending, 0, true, {}, "Loading..."}));
}

TEST_F(ProgressTest, NoFramesNoRunningReports)
{
    ASSERT_EQ(Load(picture, Join({Header(2, 2), {0x3B}})).Error, "");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].Percent, 100);
}

} // namespace
} // namespace ostra::test
