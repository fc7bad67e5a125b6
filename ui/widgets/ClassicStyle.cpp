#include "ui/widgets/ClassicStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include "ui/widgets/Contrast.h"

namespace ostra {

namespace {

// A little over the 3:1 that WCAG 2.1 asks of the parts that show a
// control and its state, so that rounding to 8-bit channels and the
// anti-aliased edge of the radio ring still keep it.
constexpr double kIndicatorContrast = 3.5;

bool isDark(const QPalette& palette)
{
    return RelativeLuminance(palette.color(QPalette::Text)) > RelativeLuminance(palette.color(QPalette::Base));
}

// A check mark in a list sits on the list's base colour; a check box or a
// radio button on the window's.
QColor surroundOf(QStyle::PrimitiveElement element, const QPalette& palette)
{
    return palette.color(element == QStyle::PE_IndicatorItemViewItemCheck ? QPalette::Base : QPalette::Window);
}

// The outline: a grey between the surround and the text, or under keyboard
// focus the highlight, brightened as far as it takes to stand out.
QColor outlineColour(const QStyleOption& option, const QColor& surround)
{
    const QPalette& palette = option.palette;
    const bool focused = option.state.testFlag(QStyle::State_HasFocus) &&
                         option.state.testFlag(QStyle::State_KeyboardFocusChange);
    const QColor from = focused ? palette.color(QPalette::Highlight) : surround;
    return LegibleAgainst(from, palette.color(QPalette::Text), surround, kIndicatorContrast);
}

// Fusion's box with its check mark stays; only its outline, the outer
// ring of pixels of the indicator's rectangle, is drawn again.
void redrawBoxOutline(const QStyleOption& option, const QColor& outline, QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

// The radio button whole: Fusion's faint circle sits a pixel off the
// rectangle's centre, so drawing over it would leave a fringe. Here the
// ring is a disc of the outline colour under a disc of the fill one pixel
// smaller, so that it fills the pixels where it meets the rectangle's edges.
void drawRadio(const QStyleOption& option, const QColor& outline, QPainter& painter)
{
    const QPalette& palette = option.palette;
    const QRectF box(option.rect);
    const qreal radius = box.width() / 2;
    // Pressed, the fill takes a little of the text colour, as Fusion's does.
    const QColor base = palette.color(QPalette::Base);
    const bool pressed = option.state.testFlag(QStyle::State_Sunken);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(outline);
    painter.drawEllipse(box.center(), radius, radius);
    painter.setBrush(pressed ? MixedColour(base, palette.color(QPalette::WindowText), 0.15) : base);
    painter.drawEllipse(box.center(), radius - 1, radius - 1);
    if (option.state.testFlag(QStyle::State_On)) {
        painter.setBrush(palette.color(QPalette::Text));
        painter.drawEllipse(box.center(), radius * 0.4, radius * 0.4);
    }
    painter.restore();
}

} // namespace

ClassicStyle::ClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return 13;
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return 3;
    case PM_FocusFrameHMargin: // the text margin of list items
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    const bool indicator = element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton ||
                           element == PE_IndicatorItemViewItemCheck;
    if (!indicator || option == nullptr || !isDark(option->palette)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QColor outline = outlineColour(*option, surroundOf(element, option->palette));
    if (element == PE_IndicatorRadioButton) {
        drawRadio(*option, outline, *painter);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    redrawBoxOutline(*option, outline, *painter);
}

void ApplyClassicStyle(QWidget& window)
{
    auto* style = new ClassicStyle;
    style->setParent(&window);
    window.setStyle(style);
    for (QWidget* control : window.findChildren<QWidget*>())
        control->setStyle(style);
}

} // namespace ostra
