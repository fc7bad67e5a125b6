#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>

class QPaintDevice;
class QPainter;

namespace ostra {

// Where a painter draws: the caller's canvas while Draw runs, the picture's
// composite bitmap, or (an asynchronous painter drawing directly) the
// caller's paint device, opened for each drawing.
class TPainterTarget {
public:
    // The caller's canvas; valid only while the caller's Draw runs.
    static TPainterTarget Canvas(QPainter& canvas, const QRect& rect);
    // The whole of a bitmap that the painter shares with the picture.
    static TPainterTarget Bitmap(std::shared_ptr<QImage> bitmap);
    // The device behind a canvas, drawn on after the caller's Draw is over.
    static TPainterTarget Device(QPainter& canvas, const QRect& rect);

    const QRect& Rect() const { return rect_; }
    // The target can still be drawn on: the canvas is active, the widget
    // behind a device still exists and is being painted.
    bool IsValid() const;
    // Runs draw with a painter on the target (nothing when it cannot be opened).
    void Paint(const std::function<void(QPainter&)>& draw);
    // What the target area shows now, as an image of its size; a widget
    // (which cannot be read back) shows its background colour.
    QImage CopyArea(QColor fallback) const;

private:
    TPainterTarget() = default;

    QPainter* canvas_ = nullptr;
    std::shared_ptr<QImage> bitmap_;
    QPaintDevice* device_ = nullptr;
    bool deviceIsWidget_ = false;
    QPointer<QObject> widget_;
    QRect rect_;
};

// An image of the given size in the format every buffer uses; raises
// EOutOfResources "Out of system resources" when it cannot be had.
QImage NewBufferImage(const QSize& size);

} // namespace ostra
