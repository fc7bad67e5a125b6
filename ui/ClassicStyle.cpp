#include "ui/ClassicStyle.h"

#include <QStyleFactory>
#include <QWidget>

namespace ostra {

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

void ApplyClassicStyle(QWidget& window)
{
    auto* style = new ClassicStyle;
    style->setParent(&window);
    window.setStyle(style);
    for (QWidget* control : window.findChildren<QWidget*>())
        control->setStyle(style);
}

} // namespace ostra
