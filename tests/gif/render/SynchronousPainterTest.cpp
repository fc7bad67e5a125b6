// Animation with synchronous painters, which run to their end inside
// Draw: followed frame by frame through the painter's handlers.
#include "PainterTestSupport.h"

#include "gif/render/PictureState.h"
#include "gif/render/RenderSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint16_t kSynchronous = DrawTransparent | DrawAnimate | DrawLoop;
// Waits of a few milliseconds at most: 10 units x 12 ms x 100 / 10000.
constexpr int kFast = 10000;

std::unique_ptr<TGIFImage> loadAnimation(const GifBuilder& builder, std::uint16_t options = kSynchronous)
{
    auto picture = LoadPicture(builder.build());
    picture->DrawOptions = options;
    picture->AnimationSpeed = kFast;
    return picture;
}

// Screen 3 x 1, white background entry. Frame 0 paints it red and stays;
// frame 1 puts green at x = 1 with the disposal method under test; frame 2
// puts blue at x = 2.
GifBuilder disposalPicture(int disposal)
{
    GifBuilder builder;
    builder.screen(3, 1).globalColorTable({kRed, kGreen, kBlue, kWhite}).background(3)
        .graphicControl({.disposal = 1})
        .frame({.width = 3, .height = 1, .pixels = {0, 0, 0}})
        .graphicControl({.disposal = disposal})
        .frame({.left = 1, .width = 1, .height = 1, .pixels = {1}})
        .graphicControl({.disposal = 1})
        .frame({.left = 2, .width = 1, .height = 1, .pixels = {2}});
    return builder;
}

struct DisposalCase {
    const char* Name;
    int Disposal;
    std::uint16_t Options;
    std::vector<QRgb> AfterLastFrame;
};

TEST(SynchronousPainterTest, DisposalMethods)
{
    const DisposalCase cases[] = {
        {"0: not specified", 0, kSynchronous, {R, G, B}},
        {"1: leave in place", 1, kSynchronous, {R, G, B}},
        {"2: background colour", 2, kSynchronous & ~DrawTransparent, {R, W, B}},
        {"2: what was behind the picture", 2, kSynchronous, {R, P, B}},
        {"3: restore the previous frame", 3, kSynchronous, {R, R, B}},
        {"5: reserved, played as 1", 5, kSynchronous, {R, G, B}},
        {"7: reserved, played as 1", 7, kSynchronous, {R, G, B}},
    };
    for (const DisposalCase& c : cases) {
        const auto picture = loadAnimation(disposalPicture(c.Disposal), c.Options);
        PainterLog log;
        log.Attach(*picture);

        const QImage canvas = DrawOnCanvas(*picture, 3, 1);

        ASSERT_EQ(log.Screens.size(), 3u) << c.Name;
        EXPECT_THAT(log.Screens[0], ElementsAre(R, R, R)) << c.Name;
        EXPECT_THAT(log.Screens[1], ElementsAre(R, G, R)) << c.Name;
        EXPECT_THAT(log.Screens[2], ElementsAreArray(c.AfterLastFrame)) << c.Name;
        EXPECT_THAT(Pixels(canvas), ElementsAreArray(c.AfterLastFrame)) << c.Name;
    }
}

TEST(SynchronousPainterTest, HandlersFireInOrderOnTheCallingThread)
{
    const auto picture = loadAnimation(disposalPicture(1), kSynchronous & ~DrawLoop);
    PainterLog log;
    log.Attach(*picture);

    DrawOnCanvas(*picture, 3, 1);

    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "paint 1", "after 1", "paint 2", "after 2",
                                        "end"));
    EXPECT_TRUE(log.AllOnUiThread);
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u) << "the painter left the list";
}

struct LoopCase {
    const char* Name;
    std::optional<std::uint16_t> Loops; // none: no looping extension
    std::uint16_t Options;
    int Passes;
};

TEST(SynchronousPainterTest, PassesFollowTheLoopExtensionAndDrawLoop)
{
    const LoopCase cases[] = {
        {"no extension", std::nullopt, kSynchronous, 1},
        {"loops 0 (endless only for threads)", 0, kSynchronous, 1},
        {"loops 1", 1, kSynchronous, 1},
        {"loops 3", 3, kSynchronous, 3},
        {"loops 3 without DrawLoop", 3, kSynchronous & ~DrawLoop, 1},
    };
    for (const LoopCase& c : cases) {
        GifBuilder builder;
        builder.screen(1, 1).globalColors(2);
        if (c.Loops)
            builder.loop(*c.Loops);
        builder.frame({.width = 1, .height = 1, .pixels = {0}}).frame({.width = 1, .height = 1, .pixels = {1}});
        const auto picture = loadAnimation(builder, c.Options);
        PainterLog log;
        log.Attach(*picture);

        DrawOnCanvas(*picture, 1, 1);

        EXPECT_EQ(log.Count("paint 0"), c.Passes) << c.Name;
        EXPECT_EQ(log.Count("paint 1"), c.Passes) << c.Name;
        EXPECT_EQ(log.Count("loop"), c.Passes - 1) << c.Name;
    }
}

// Passes that would play nothing, because the frame they start at has no
// image: the first pass ends the run, whatever the loop settings say.
TEST(SynchronousPainterTest, PassThatPlaysNoFrameEndsTheRun)
{
    for (const std::uint16_t options : {kSynchronous, std::uint16_t{kSynchronous | DrawLoopForever}}) {
        const auto picture = loadAnimation(GifBuilder().screen(1, 1).globalColors(2)
                                               .comment("no image").raw({0x00})
                                               .frame({.width = 1, .height = 1, .pixels = {1}}),
                                           options);
        ASSERT_EQ(picture->Frames.Count(), 2u);
        ASSERT_TRUE(picture->Frames[0].Empty());
        PainterLog log;
        log.OnLoop = [&](TGIFPainter& painter) {
            if (log.Count("loop") == 3)
                painter.Stop(); // it would go on for ever
        };
        log.Attach(*picture);

        DrawOnCanvas(*picture, 1, 1);

        EXPECT_THAT(log.Events, ElementsAre("start", "end")) << "options " << options;
    }
}

// The application quits while a painter that loops for ever waits between
// frames (dispatching events): the wait and the run end, and Draw returns.
TEST(SynchronousPainterTest, QuitEndsAPainterThatLoopsForEver)
{
    const auto picture = loadAnimation(GifBuilder().screen(1, 1).globalColors(2)
                                           .frame({.width = 1, .height = 1, .pixels = {0}})
                                           .frame({.width = 1, .height = 1, .pixels = {1}}),
                                       kSynchronous | DrawLoopForever);
    PainterLog log;
    log.OnPaint = [&](TGIFPainter& painter) {
        if (log.Count("paint 1") == 2)
            QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
        if (log.Count("paint 1") == 50)
            painter.Stop(); // the quit went unnoticed
    };
    log.Attach(*picture);

    DrawOnCanvas(*picture, 1, 1);

    EXPECT_EQ(log.Count("paint 1"), 2) << "the quit ends the wait before the next frame";
    EXPECT_EQ(log.Events.back(), "end");
}

TEST(SynchronousPainterTest, DrawLoopForeverRepeatsUntilStopped)
{
    const auto picture = loadAnimation(GifBuilder().screen(1, 1).globalColors(2).loop(2)
                                           .frame({.width = 1, .height = 1, .pixels = {0}})
                                           .frame({.width = 1, .height = 1, .pixels = {1}}),
                                       kSynchronous | DrawLoopForever);
    PainterLog log;
    log.OnLoop = [&](TGIFPainter& painter) {
        if (log.Count("loop") == 4)
            painter.Stop();
    };
    log.Attach(*picture);

    DrawOnCanvas(*picture, 1, 1);

    EXPECT_EQ(log.Count("paint 0"), 4);
    EXPECT_EQ(log.Events.back(), "end");
}

// The looping extension before the second frame: later passes start there.
TEST(SynchronousPainterTest, LaterPassesStartAtTheFrameWithTheLoopExtension)
{
    const auto picture = loadAnimation(GifBuilder().screen(1, 1).globalColors(4)
                                           .frame({.width = 1, .height = 1, .pixels = {0}})
                                           .loop(2)
                                           .frame({.width = 1, .height = 1, .pixels = {1}})
                                           .frame({.width = 1, .height = 1, .pixels = {2}}));
    PainterLog log;
    log.Attach(*picture);

    DrawOnCanvas(*picture, 1, 1);

    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "paint 1", "after 1", "paint 2", "after 2",
                                        "loop", "paint 1", "after 1", "paint 2", "after 2", "end"));
}

// Screen 2 x 1: red at x = 0, then green at x = 1, twice. Clearing on
// loop blanks the screen (to the blue background) before the second red.
TEST(SynchronousPainterTest, DrawClearOnLoopClearsBeforeTheFirstFrame)
{
    for (const bool clearOnLoop : {false, true}) {
        const auto picture = loadAnimation(GifBuilder().screen(2, 1).globalColorTable({kRed, kGreen}).loop(2)
                                               .frame({.width = 1, .height = 1, .pixels = {0}})
                                               .frame({.left = 1, .width = 1, .height = 1, .pixels = {1}}),
                                           (kSynchronous & ~DrawTransparent) | (clearOnLoop ? DrawClearOnLoop : 0));
        picture->DrawBackgroundColor = 0xFF0000; // blue, as 0x00BBGGRR
        PainterLog log;
        log.Attach(*picture);

        DrawOnCanvas(*picture, 2, 1);

        ASSERT_EQ(log.Screens.size(), 4u);
        if (clearOnLoop) {
            EXPECT_THAT(log.Screens[0], ElementsAre(R, B));
            EXPECT_THAT(log.Screens[2], ElementsAre(R, B));
        } else {
            EXPECT_THAT(log.Screens[0], ElementsAre(R, P));
            EXPECT_THAT(log.Screens[2], ElementsAre(R, G));
        }
    }
}

TEST(SynchronousPainterTest, HandlersMoveAndStopThePainter)
{
    GifBuilder builder;
    builder.screen(1, 1).globalColors(4);
    for (std::uint8_t i = 0; i < 4; ++i)
        builder.frame({.width = 1, .height = 1, .pixels = {i}});
    const auto picture = loadAnimation(builder, kSynchronous & ~DrawLoop);
    PainterLog log;
    log.OnAfterPaint = [](TGIFPainter& painter) {
        if (painter.ActiveImage() == 0)
            painter.SetActiveImage(2);
    };
    log.OnPaint = [](TGIFPainter& painter) {
        if (painter.ActiveImage() == 3)
            painter.Stop();
    };
    log.Attach(*picture);

    DrawOnCanvas(*picture, 1, 1);

    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "paint 2", "after 2", "paint 3", "end"));
}

// Frame 1 has no image (a comment ended by a stray 0): the pass ends there.
TEST(SynchronousPainterTest, PassStopsAtAFrameWithoutAnImage)
{
    const auto picture = loadAnimation(GifBuilder().screen(1, 1).globalColors(2)
                                           .frame({.width = 1, .height = 1, .pixels = {0}})
                                           .comment("no image").raw({0x00})
                                           .frame({.width = 1, .height = 1, .pixels = {1}}));
    ASSERT_EQ(picture->Frames.Count(), 3u);
    ASSERT_TRUE(picture->Frames[1].Empty());
    PainterLog log;
    log.Attach(*picture);

    DrawOnCanvas(*picture, 1, 1);

    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "end"));
}

TEST(SynchronousPainterTest, ErrorInAHandlerLeavesDraw)
{
    const auto picture = loadAnimation(disposalPicture(1));
    picture->PaintHandler = [](TGIFPainter&) { throw GIFException("handler failed"); };
    QImage canvas = Canvas(3, 1, kPaper);
    QPainter painter(&canvas);
    try {
        Draw(*picture, painter, canvas.rect());
        FAIL() << "no error";
    } catch (const GIFException& error) {
        EXPECT_EQ(error.Message, "handler failed");
    }
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u);
}

TEST(SynchronousPainterTest, LaterDrawsShowTheCompositeWithoutPlayingAgain)
{
    const auto picture = loadAnimation(disposalPicture(1));
    PainterLog log;
    log.Attach(*picture);

    DrawOnCanvas(*picture, 3, 1);
    const QImage again = DrawOnCanvas(*picture, 6, 2);

    EXPECT_EQ(log.Count("start"), 1);
    EXPECT_THAT(Row(again, 1), ElementsAre(R, R, G, G, B, B)) << "the composite, scaled to the rectangle";
}

TEST(SynchronousPainterTest, DrawDirectPaintsTheCallersCanvas)
{
    const auto picture = loadAnimation(disposalPicture(3), kSynchronous | DrawDirect);
    const QImage canvas = DrawOnCanvas(*picture, 3, 1);

    EXPECT_THAT(Pixels(canvas), ElementsAre(R, R, B));
    EXPECT_EQ(PictureStateOf(*picture).CompositeBitmap, nullptr);
}

// Only lower bounds: a loaded machine may always be slower. The first
// frame waits a millisecond; the wait before the second makes up half of
// the time spent drawing the first, so the whole still lasts the delay.
TEST(SynchronousPainterTest, FramesWaitTheirDelay)
{
    const std::vector<std::pair<std::optional<std::uint16_t>, qint64>> cases = {{1, 36}, {std::nullopt, 120}};
    for (const auto& [delay, milliseconds] : cases) {
        GifBuilder builder;
        builder.screen(1, 1).globalColors(2);
        for (std::uint8_t i = 0; i < 2; ++i) {
            if (delay)
                builder.graphicControl({.delay = *delay});
            builder.frame({.width = 1, .height = 1, .pixels = {i}});
        }
        const auto picture = loadAnimation(builder, kSynchronous & ~DrawLoop);
        picture->AnimationSpeed = 100;
        QElapsedTimer timer;
        timer.start();
        DrawOnCanvas(*picture, 1, 1);
        EXPECT_GE(timer.elapsed(), milliseconds) << "delay " << (delay ? *delay : -1);
    }
}

} // namespace
} // namespace ostra::test
