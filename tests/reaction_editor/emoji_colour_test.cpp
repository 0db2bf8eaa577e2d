#include "app/components/zing_fonts.h"
#include "app/screens/reaction/emoji_picker_grid.h"
#include "reactions/zing_theme.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {

bool saturated(const QColor& pixel) {
    return pixel.hsvSaturationF() > 0.35 && pixel.valueF() > 0.25;
}

int count(const QImage& image, const QRect& area, const std::function<bool(const QColor&)>& test) {
    int result = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixelColor(x, y)))
                ++result;
    return result;
}

// Skulls, the black heart and the eyes are grey in colour too. A monochrome outline takes the pen's colour,
// a colour glyph ignores it: drawn with a lime pen, such an emoji must not come out lime.
bool takesThePenColour(const QString& emoji, const QFont& font = ZingFonts::emoji(40)) {
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(ZingTheme::lime());
    painter.drawText(QPointF(4, 4 + QFontMetricsF(painter.font()).ascent()), emoji);
    painter.end();
    const int inked = count(image, image.rect(), [](const QColor& c) { return c.alphaF() > 0.5; });
    const int lime = count(image, image.rect(), [](const QColor& c) {
        return c.alphaF() > 0.5 && std::abs(c.hsvHueF() - ZingTheme::lime().hsvHueF()) < 0.03 && saturated(c);
    });
    return inked == 0 || lime > inked / 2;
}

TEST(EmojiPickerGrid, EveryCatalogEmojiRendersInColour) {
    const QStringList achromatic = {QString::fromUtf8("\U0001F480"), QString::fromUtf8("\u2620\uFE0F"),
                                    QString::fromUtf8("\U0001F5A4"), QString::fromUtf8("\U0001F440")};
    for (const qreal ratio : {1.0, 2.0}) {
        EmojiPickerGrid grid;
        grid.setSelection(QStringLiteral("none"));
        const int width = 402;
        grid.resize(width, grid.heightForWidth(width));
        QImage image(grid.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(ZingTheme::midnight());
        grid.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

        for (int i = 0; i < grid.model().cellCount(); ++i) {
            const QString emoji = grid.model().emoji(i);
            // The emoji's own square in the middle of the cell, clear of the cell's rounded corners.
            const QPoint centre = grid.cellRect(i).center();
            const QRect square(QPoint(centre.x() - 12, centre.y() - 12) * ratio, QSize(24, 24) * ratio);
            const int area = square.width() * square.height();
            if (achromatic.contains(emoji)) {
                // Drawn at all: pixels lighter or darker than the cell around the emoji.
                const QRect cell = grid.cellRect(i);
                const double cellValue =
                    image.pixelColor((cell.topLeft() + QPoint(cell.width() / 2, 2)) * ratio).valueF();
                EXPECT_GE(count(image, square,
                                [&](const QColor& c) { return std::abs(c.valueF() - cellValue) > 0.04; }),
                          area / 25)
                    << emoji.toStdString() << " at " << ratio << "x";
                EXPECT_FALSE(takesThePenColour(emoji)) << emoji.toStdString();
            } else {
                EXPECT_GE(count(image, square, saturated), area / 25)
                    << emoji.toStdString() << " at " << ratio << "x";
            }
        }
    }
}

TEST(EmojiPickerGrid, TheMonochromeCheckCatchesAnOutline) {
    // A text font draws the skull and crossbones as an outline in the pen's colour.
    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPixelSize(40);
    EXPECT_TRUE(takesThePenColour(QString::fromUtf8("\u2620\uFE0F"), text));
}

} // namespace
