#include "gif/render/FrameCompositor.h"

#include "gif/GIFImage.h"
#include "gif/GIFDrawSettings.h"
#include "gif/render/Drawing.h"
#include "gif/render/FrameGeometry.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace ostra {

namespace {

constexpr unsigned bitOf(int disposal)
{
    return 1u << disposal;
}

QColor colorFromBGR(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The disposal methods the frames use; clearing on every loop counts as
// restoring to the background.
unsigned disposalsUsed(const TGIFImage& picture, std::uint16_t drawOptions)
{
    unsigned used = (drawOptions & DrawClearOnLoop) != 0 ? bitOf(DisposalBackground) : 0;
    for (const TGIFSubImage& frame : picture.Frames)
        if (frame.GraphicControl != nullptr)
            used |= bitOf(DisposalOf(frame));
    return used;
}

} // namespace

int DisposalOf(const TGIFSubImage& frame)
{
    if (frame.GraphicControl == nullptr)
        return DisposalLeave;
    const int disposal = frame.GraphicControl->Disposal();
    return disposal > DisposalPrevious ? DisposalLeave : disposal;
}

QColor AnimationBackground(TGIFImage& picture)
{
    if (picture.DrawBackgroundColor != kNoBackgroundColor)
        return colorFromBGR(picture.DrawBackgroundColor);
    TGIFColorMap& colors = picture.Header.GlobalColorMap;
    if (colors.Count() == 0)
        return QGuiApplication::palette().color(QPalette::Base);
    return colorFromBGR(colors.ColorAt(picture.Header.BackgroundColorIndex));
}

TFrameCompositor::TFrameCompositor(TGIFImage& picture, TPainterTarget& target, std::uint16_t drawOptions)
    : target_(target), transparent_((drawOptions & DrawTransparent) != 0), tile_((drawOptions & DrawTile) != 0),
      clearOnLoop_((drawOptions & DrawClearOnLoop) != 0), background_(AnimationBackground(picture))
{
    const unsigned used = disposalsUsed(picture, drawOptions);
    const bool restoresBackground = (used & bitOf(DisposalBackground)) != 0;
    const bool restoresPrevious = (used & bitOf(DisposalPrevious)) != 0;
    buffered_ = restoresBackground || restoresPrevious;
    if (restoresBackground && transparent_)
        backgroundBuffer_ = target_.CopyArea(background_);
    if (buffered_)
        composition_ = target_.CopyArea(background_);
}

void TFrameCompositor::DrawFrame(TGIFSubImage& frame, int index, int disposal)
{
    if (!buffered_) {
        drawOnTarget(frame);
        return;
    }
    if (clearOnLoop_ && index == 0) {
        restoreBackground(composition_.rect());
        targetShowsComposition_ = false;
    }
    drawBuffered(frame, disposal);
}

void TFrameCompositor::drawBuffered(TGIFSubImage& frame, int disposal)
{
    switch (disposal) {
    case DisposalPrevious:
        // The composition stays as it was, for the next frame to go on from.
        if (targetShowsComposition_) {
            drawOnTarget(frame);
        } else {
            previousBuffer_ = composition_.copy();
            drawInto(previousBuffer_, frame);
            copyToTarget(previousBuffer_);
        }
        targetShowsComposition_ = false;
        return;
    case DisposalBackground:
        drawInto(composition_, frame);
        copyToTarget(composition_);
        for (const QRect& area : FrameDestinationRects(frame, composition_.rect(), tile_))
            restoreBackground(area);
        targetShowsComposition_ = false;
        return;
    default:
        drawInto(composition_, frame);
        copyToTarget(composition_);
        targetShowsComposition_ = true;
        return;
    }
}

void TFrameCompositor::drawOnTarget(TGIFSubImage& frame)
{
    target_.Paint([&](QPainter& painter) { ostra::DrawFrame(frame, painter, target_.Rect(), transparent_, tile_); });
}

void TFrameCompositor::drawInto(QImage& buffer, TGIFSubImage& frame)
{
    QPainter painter(&buffer);
    ostra::DrawFrame(frame, painter, buffer.rect(), transparent_, tile_);
}

void TFrameCompositor::copyToTarget(const QImage& buffer)
{
    target_.Paint([&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(target_.Rect().topLeft(), buffer);
    });
}

// From the copy of the target area with transparency (what showed through
// before the animation), else the background colour.
void TFrameCompositor::restoreBackground(const QRect& area)
{
    QPainter painter(&composition_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!backgroundBuffer_.isNull())
        painter.drawImage(area, backgroundBuffer_, area);
    else
        painter.fillRect(area, background_);
}

} // namespace ostra
