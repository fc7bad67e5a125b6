// Asynchronous painters on a real event loop: their handlers and drawing
// run on the user-interface thread; they stop when the picture is cleared
// or destroyed; their errors surface on the user-interface thread.
#include "PainterTestSupport.h"

#include "gif/render/PictureState.h"
#include "gif/render/RenderErrors.h"
#include "gif/render/RenderSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QThread>
#include <QTest>
#include <QWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;

constexpr int kPatience = 10000; // milliseconds: long enough for a loaded machine
constexpr int kFast = 10000;

// Screen 3 x 1: red all over, then green at x = 1, then blue at x = 2.
std::unique_ptr<TGIFImage> loadAnimation(std::uint16_t options = kDefaultDrawOptions & ~DrawLoop)
{
    auto picture = LoadPicture(GifBuilder().screen(3, 1).globalColorTable({kRed, kGreen, kBlue, kWhite})
                                   .frame({.width = 3, .height = 1, .pixels = {0, 0, 0}})
                                   .frame({.left = 1, .width = 1, .height = 1, .pixels = {1}})
                                   .frame({.left = 2, .width = 1, .height = 1, .pixels = {2}})
                                   .build());
    picture->DrawOptions = options;
    picture->AnimationSpeed = kFast;
    return picture;
}

// The asynchronous painter the last Draw started, watched for its end.
struct WatchedPainter {
    explicit WatchedPainter(TGIFImage& picture) : painter(PictureStateOf(picture).Painters->DrawPainter())
    {
        if (painter != nullptr)
            QObject::connect(painter, &QObject::destroyed, [this] { freed = true; });
    }
    TGIFPainter* painter;
    bool freed = false;
};

class AsynchronousPainterTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = false; }
    // Every painter a test started is freed once the event loop has run.
    void TearDown() override
    {
        EXPECT_TRUE(QTest::qWaitFor([] { return TGIFPainter::LiveCount() == 0; }, kPatience))
            << TGIFPainter::LiveCount() << " painters still alive";
    }
};

TEST_F(AsynchronousPainterTest, PlaysOnItsOwnThreadWhileHandlersRunOnTheUiThread)
{
    const auto picture = loadAnimation();
    PainterLog log;
    bool paintedFromItsOwnThread = true;
    log.OnPaint = [&](TGIFPainter& painter) {
        paintedFromItsOwnThread = paintedFromItsOwnThread && painter.Asynchronous() && painter.isRunning();
    };
    log.Attach(*picture);

    const QImage canvas = DrawOnCanvas(*picture, 3, 1);
    EXPECT_THAT(Pixels(canvas), ElementsAre(R, R, R)) << "Draw waits for the first frame";
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);

    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "paint 1", "after 1", "paint 2", "after 2",
                                        "end"));
    EXPECT_TRUE(log.AllOnUiThread);
    EXPECT_TRUE(paintedFromItsOwnThread);
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u);
    EXPECT_THAT(Pixels(DrawOnCanvas(*picture, 3, 1)), ElementsAre(R, G, B)) << "the finished composite";
    EXPECT_EQ(log.Count("start"), 1);
}

TEST_F(AsynchronousPainterTest, SpeedZeroWaitsUntilWoken)
{
    const auto picture = loadAnimation();
    picture->AnimationSpeed = 0;
    PainterLog log;
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);

    QTest::qWait(100);
    EXPECT_EQ(log.Count("paint 1"), 0) << "no frame without a wake-up";
    watched.painter->Wake();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Count("after 1") == 1; }, kPatience));
    watched.painter->Wake();
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
    EXPECT_EQ(log.Events.back(), "end");
}

TEST_F(AsynchronousPainterTest, ClearingThePictureStopsItsPainters)
{
    const auto picture = loadAnimation(kDefaultDrawOptions | DrawLoopForever);
    picture->AnimationSpeed = 100;
    PainterLog log;
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Count("paint 1") > 0; }, kPatience));

    picture->Clear();

    const TGIFPictureState& state = PictureStateOf(*picture);
    EXPECT_EQ(state.Painters->Count(), 0u) << "Clear returns once the painter has left";
    EXPECT_EQ(state.CompositeBitmap, nullptr);
    EXPECT_EQ(log.Events.back(), "end");
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
}

TEST_F(AsynchronousPainterTest, DestroyingThePictureStopsItsPainters)
{
    auto picture = loadAnimation(kDefaultDrawOptions | DrawLoopForever);
    PainterLog log;
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);

    picture.reset();
    const std::size_t events = log.Events.size();

    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
    EXPECT_EQ(log.Events.size(), events) << "nothing after the picture is gone";
}

// The painter's own handler clears the picture: the painter cannot end
// while its handler runs, so it is let go and ends without another call.
TEST_F(AsynchronousPainterTest, ClearingFromThePaintersOwnHandler)
{
    const auto picture = loadAnimation(kDefaultDrawOptions | DrawLoopForever);
    PainterLog log;
    log.OnAfterPaint = [&](TGIFPainter& painter) {
        if (painter.ActiveImage() == 1)
            picture->Clear();
    };
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);

    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
    EXPECT_THAT(log.Events, ElementsAre("start", "paint 0", "after 0", "paint 1", "after 1"));
    EXPECT_TRUE(picture->Empty());
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u);
}

// The first frame is drawn while Draw waits for it: a Draw from the
// handler is nested and does nothing.
TEST_F(AsynchronousPainterTest, DrawFromAHandlerDuringDrawDoesNothing)
{
    const auto picture = loadAnimation();
    QImage inner = Canvas(3, 1, kPaper);
    PainterLog log;
    log.OnPaint = [&](TGIFPainter& painter) {
        if (painter.ActiveImage() != 0)
            return;
        QPainter innerPainter(&inner);
        Draw(*picture, innerPainter, inner.rect());
    };
    log.Attach(*picture);

    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);

    EXPECT_THAT(Pixels(inner), ElementsAre(P, P, P));
    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
}

// The error a painter kept is shown by a queued call on the user-interface
// thread once the painter is freed; nothing is thrown through the event loop.
TEST_F(AsynchronousPainterTest, ErrorReachesTheErrorHandlerOnTheUiThread)
{
    std::vector<std::string> shown;
    bool shownOnUiThread = false;
    SetPainterErrorHandler([&](const std::string& message) {
        shown.push_back(message);
        shownOnUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    const auto picture = loadAnimation();
    PainterLog log;
    log.OnPaint = [](TGIFPainter& painter) {
        if (painter.ActiveImage() == 1)
            throw GIFException("painter failed");
    };
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);

    bool thrown = false;
    QElapsedTimer timer;
    timer.start();
    while (shown.empty() && timer.elapsed() < kPatience) {
        try {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        } catch (...) {
            thrown = true;
        }
    }
    SetPainterErrorHandler(nullptr);
    EXPECT_FALSE(thrown) << "an error left the event loop";
    EXPECT_THAT(shown, ElementsAre("painter failed"));
    EXPECT_TRUE(shownOnUiThread);
    EXPECT_TRUE(watched.freed) << "shown when the painter is freed";
    EXPECT_EQ(log.Count("end"), 0) << "the error ended the run";
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u);
}

// A quit that arrives while a painter waits between frames on its own
// thread ends the painter; the picture's painters then need no stopping.
TEST_F(AsynchronousPainterTest, QuitStopsAWaitingPainter)
{
    const auto picture = loadAnimation(kDefaultDrawOptions | DrawLoopForever);
    picture->AnimationSpeed = 0; // waits until woken
    PainterLog log;
    log.Attach(*picture);
    DrawOnCanvas(*picture, 3, 1);
    WatchedPainter watched(*picture);
    ASSERT_NE(watched.painter, nullptr);
    QTest::qWait(50);
    EXPECT_EQ(log.Count("paint 1"), 0);

    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));

    ASSERT_TRUE(QTest::qWaitFor([&] { return watched.freed; }, kPatience));
    EXPECT_EQ(log.Events.back(), "end");
    EXPECT_EQ(log.Count("paint 1"), 0) << "stopped, not woken to the next frame";
}

// Drawing directly on the caller's device: a second Draw on the same
// canvas and rectangle leaves the running painter alone; another
// rectangle replaces it.
TEST_F(AsynchronousPainterTest, DirectPainterIsReplacedOnlyForAnotherTarget)
{
    const auto picture = loadAnimation(kDefaultDrawOptions | DrawDirect | DrawLoopForever);
    QImage canvas = Canvas(3, 1, kPaper);
    PainterLog log;
    log.Attach(*picture);
    const auto drawInto = [&](QRect rect) {
        QPainter painter(&canvas);
        Draw(*picture, painter, rect);
    };

    drawInto(canvas.rect());
    drawInto(canvas.rect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Count("paint 2") > 0; }, kPatience));
    EXPECT_EQ(log.Count("start"), 1);
    EXPECT_EQ(canvas.pixel(2, 0), B) << "drawn on the canvas itself";

    drawInto(QRect(0, 0, 2, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Count("start") == 2 && log.Count("end") == 1; }, kPatience));
    picture->Clear();
    EXPECT_EQ(log.Count("end"), 2);
}

// A widget can be painted only inside its paint event: a painter that
// draws on it directly and validates its canvas stops at its first frame.
TEST_F(AsynchronousPainterTest, ValidatingPainterStopsWhenTheCanvasIsGone)
{
    class PictureWidget : public QWidget {
    public:
        explicit PictureWidget(TGIFImage& picture) : picture_(picture) { resize(30, 10); }

    protected:
        void paintEvent(QPaintEvent*) override
        {
            QPainter painter(this);
            Draw(picture_, painter, rect());
        }

    private:
        TGIFImage& picture_;
    };

    const auto picture = loadAnimation(kDefaultDrawOptions | DrawDirect | DrawValidateCanvas);
    PainterLog log;
    log.Attach(*picture);
    PictureWidget widget(*picture);
    widget.show();

    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Count("end") == 1; }, kPatience));
    EXPECT_THAT(log.Events, ElementsAre("start", "end"));
}

} // namespace
} // namespace ostra::test
