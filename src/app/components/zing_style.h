#pragma once

#include <QPalette>
#include <QProxyStyle>

class QApplication;

// The one application style: Fusion with the dark palette of the theme, slim overlay-like scroll bars, lime
// focus frames and dark menus and pop-ups. The components paint their own looks; this style covers the
// standard parts they reuse (menus, combo pop-ups, scroll bars, tool tips).
class ZingStyle final : public QProxyStyle {
    Q_OBJECT
public:
    ZingStyle();

    // Sets the style, the dark palette and the rounded default font on the application. Call once at
    // start-up (the program, the screenshot gallery and GUI tests do).
    static void install(QApplication& application);
    static QPalette darkPalette();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
