#include "app/components/zing_style.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {
constexpr int scrollBarWidth = 8;
}

ZingStyle::ZingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ZingStyle::install(QApplication& application) {
    QApplication::setStyle(new ZingStyle);
    application.setPalette(darkPalette());
    QApplication::setFont(ZingFonts::rounded(12, QFont::Normal));
}

QPalette ZingStyle::darkPalette() {
    using namespace ZingTheme;
    QPalette palette;
    palette.setColor(QPalette::Window, midnight());
    palette.setColor(QPalette::WindowText, ink());
    palette.setColor(QPalette::Base, cardElevated());
    palette.setColor(QPalette::AlternateBase, card());
    palette.setColor(QPalette::ToolTipBase, cardElevated());
    palette.setColor(QPalette::ToolTipText, ink());
    palette.setColor(QPalette::PlaceholderText, inkFaint());
    palette.setColor(QPalette::Text, ink());
    palette.setColor(QPalette::Button, cardElevated());
    palette.setColor(QPalette::ButtonText, ink());
    palette.setColor(QPalette::BrightText, lime());
    palette.setColor(QPalette::Highlight, withOpacity(hotPink(), 0.85));
    palette.setColor(QPalette::HighlightedText, ink());
    palette.setColor(QPalette::Link, lime());
    palette.setColor(QPalette::LinkVisited, lime());
    palette.setColor(QPalette::Light, withOpacity(Qt::white, 0.2));
    palette.setColor(QPalette::Midlight, withOpacity(Qt::white, 0.14));
    palette.setColor(QPalette::Mid, withOpacity(Qt::white, 0.1));
    palette.setColor(QPalette::Dark, midnight());
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, inkFaint());
    return palette;
}

int ZingStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    switch (metric) {
    case PM_ScrollBarExtent:
        return scrollBarWidth;
    case PM_ScrollBarSliderMin:
        return 24;
    case PM_MenuPanelWidth:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int ZingStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_ScrollBar_Transient:
        return 0;
    case SH_ScrollBar_LeftClickAbsolutePosition:
        return 1;
    case SH_ComboBox_Popup:
        return 1; // a menu-like pop-up at the current item
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

QRect ZingStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl subControl, const QWidget* widget) const {
    if (control != CC_ScrollBar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    // No arrow buttons: the groove is the whole bar.
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!bar)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QRect whole = bar->rect;
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const int length = horizontal ? whole.width() : whole.height();
    const int range = bar->maximum - bar->minimum;
    const int minimumSlider = pixelMetric(PM_ScrollBarSliderMin, option, widget);
    const int sliderLength = range <= 0
                                 ? length
                                 : std::clamp(int(qint64(bar->pageStep) * length / (range + bar->pageStep)),
                                              minimumSlider, length);
    const int sliderStart = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                                    length - sliderLength, bar->upsideDown);
    const auto along = [&](int start, int size) {
        return horizontal ? QRect(whole.left() + start, whole.top(), size, whole.height())
                          : QRect(whole.left(), whole.top() + start, whole.width(), size);
    };
    switch (subControl) {
    case SC_ScrollBarSlider:
        return along(sliderStart, sliderLength);
    case SC_ScrollBarGroove:
        return whole;
    case SC_ScrollBarSubPage:
        return along(0, sliderStart);
    case SC_ScrollBarAddPage:
        return along(sliderStart + sliderLength, length - sliderStart - sliderLength);
    default:
        return {};
    }
}

void ZingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (control != CC_ScrollBar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRectF slider =
        QRectF(subControlRect(control, option, SC_ScrollBarSlider, widget)).adjusted(2, 2, -2, -2);
    const bool active = option->state & (State_Sunken | State_MouseOver);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(ZingTheme::withOpacity(Qt::white, active ? 0.4 : 0.22));
    const qreal radius = std::min(slider.width(), slider.height()) / 2;
    painter->drawRoundedRect(slider, radius, radius);
    painter->restore();
}

void ZingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    switch (element) {
    case PE_FrameFocusRect:
        ZingPaint::focusRing(*painter, QRectF(option->rect), 6);
        return;
    case PE_PanelMenu:
    case PE_FrameMenu:
        painter->save();
        painter->setPen(QPen(ZingTheme::withOpacity(Qt::white, 0.12), 1));
        painter->setBrush(ZingTheme::cardElevated());
        painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
        return;
    case PE_PanelTipLabel:
        painter->fillRect(option->rect, ZingTheme::cardElevated());
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}
