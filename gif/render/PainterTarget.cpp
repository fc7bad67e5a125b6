#include "gif/render/PainterTarget.h"

#include "gif/render/RenderErrors.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QVariant>

namespace ostra {

namespace {

// A widget is a QObject as well as a paint device; the renderer reaches
// it through those two sides only, so that it needs no widget library.
QObject* widgetOf(QPaintDevice* device)
{
    return device != nullptr && device->devType() == QInternal::Widget ? dynamic_cast<QObject*>(device) : nullptr;
}

// The area of the device that rect of the canvas covers.
QImage readDevice(QPaintDevice* device, const QRect& deviceRect)
{
    switch (device->devType()) {
    case QInternal::Image:
        return static_cast<QImage*>(device)->copy(deviceRect);
    case QInternal::Pixmap:
        return static_cast<QPixmap*>(device)->copy(deviceRect).toImage();
    default:
        return {};
    }
}

QColor backgroundOf(const QObject* widget, QColor fallback)
{
    if (widget == nullptr)
        return fallback;
    return widget->property("palette").value<QPalette>().color(QPalette::Window);
}

} // namespace

QImage NewBufferImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() && !size.isEmpty())
        throw EOutOfResources("Out of system resources");
    return image;
}

TPainterTarget TPainterTarget::Canvas(QPainter& canvas, const QRect& rect)
{
    TPainterTarget target;
    target.canvas_ = &canvas;
    target.rect_ = rect;
    return target;
}

TPainterTarget TPainterTarget::Bitmap(std::shared_ptr<QImage> bitmap)
{
    TPainterTarget target;
    target.rect_ = bitmap->rect();
    target.bitmap_ = std::move(bitmap);
    return target;
}

TPainterTarget TPainterTarget::Device(QPainter& canvas, const QRect& rect)
{
    TPainterTarget target;
    target.device_ = canvas.device();
    target.deviceIsWidget_ = widgetOf(target.device_) != nullptr;
    target.widget_ = widgetOf(target.device_);
    target.rect_ = canvas.deviceTransform().mapRect(rect);
    return target;
}

bool TPainterTarget::IsValid() const
{
    if (canvas_ != nullptr)
        return canvas_->isActive();
    if (bitmap_)
        return !bitmap_->isNull();
    if (deviceIsWidget_) {
        // Qt paints a widget only inside its paint event, while the
        // event's own painter is active on it.
        return !widget_.isNull() && device_->paintingActive();
    }
    return device_ != nullptr;
}

void TPainterTarget::Paint(const std::function<void(QPainter&)>& draw)
{
    if (canvas_ != nullptr) {
        canvas_->save();
        draw(*canvas_);
        canvas_->restore();
        return;
    }
    if (!IsValid())
        return;
    QPainter painter;
    if (bitmap_ ? painter.begin(bitmap_.get()) : painter.begin(device_))
        draw(painter);
}

QImage TPainterTarget::CopyArea(QColor fallback) const
{
    QImage area = NewBufferImage(rect_.size());
    area.fill(fallback);
    QImage read;
    QPaintDevice* device = canvas_ != nullptr ? canvas_->device() : device_;
    if (bitmap_)
        read = bitmap_->copy(rect_);
    else if (device != nullptr && IsValid()) {
        const QRect deviceRect = canvas_ != nullptr ? canvas_->deviceTransform().mapRect(rect_) : rect_;
        read = readDevice(device, deviceRect);
        if (read.isNull())
            area.fill(backgroundOf(widgetOf(device), fallback));
    }
    if (!read.isNull()) {
        QPainter painter(&area);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.rect(), read);
    }
    return area;
}

} // namespace ostra
