#pragma once

#include <QProxyStyle>

namespace ostra {

// Fusion with the compact check boxes, radio buttons and list marks of
// the classic desktop the window was laid out for (13-pixel indicators,
// 3 pixels to the caption), so that every caption fits its fixed-size
// control. On a dark palette, where Fusion's indicator outlines (a shade
// darker than the window) all but vanish, the outlines and the radio dot
// are drawn in colours taken from the palette that stand out from what
// surrounds them; on a light palette the indicators are Fusion's own.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT
public:
    ClassicStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Gives a window and every control in it the classic style; the style
// belongs to the window.
void ApplyClassicStyle(QWidget& window);

} // namespace ostra
