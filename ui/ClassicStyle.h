#pragma once

#include <QProxyStyle>

namespace ostra {

// Fusion with the compact check boxes, radio buttons and list marks of
// the classic desktop the window was laid out for (13-pixel indicators,
// 3 pixels to the caption), so that every caption fits its fixed-size
// control.
class ClassicStyle : public QProxyStyle {
    Q_OBJECT
public:
    ClassicStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// Gives a window and every control in it the classic style; the style
// belongs to the window.
void ApplyClassicStyle(QWidget& window);

} // namespace ostra
