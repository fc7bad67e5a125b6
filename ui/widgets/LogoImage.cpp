#include "ui/widgets/LogoImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace ostra {

LogoImage::LogoImage(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void LogoImage::SetPaintFunction(PaintFunction paint)
{
    paint_ = std::move(paint);
    update();
}

void LogoImage::paintEvent(QPaintEvent* /*event*/)
{
    if (!paint_)
        return;
    QPainter painter(this);
    paint_(painter, rect());
}

void LogoImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

} // namespace ostra
