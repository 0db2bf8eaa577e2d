#include "app/screens/reaction/emoji_picker_grid.h"
#include "reactions/zing_theme.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Pixels a colour emoji has and a monochrome outline (drawn in the text colour) never has.
int colouredPixels(const QImage& image, const QRect& area, const QColor& background) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const bool saturated = pixel.hsvSaturationF() > 0.35 && pixel.valueF() > 0.25;
            // Black and grey emoji (🖤 💀) are coloured too: darker than the cell, which an outline never
            // is.
            const bool darker = pixel.valueF() < background.valueF() - 0.04;
            if (saturated || darker)
                ++count;
        }
    return count;
}

TEST(EmojiPickerGrid, EveryCatalogEmojiRendersInColour) {
    for (const qreal ratio : {1.0, 2.0}) {
        EmojiPickerGrid grid;
        grid.setSelection(QStringLiteral("none"));
        const int width = 402;
        grid.resize(width, grid.heightForWidth(width));
        QImage image(grid.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        const QColor panel = ZingTheme::midnight();
        image.fill(panel);
        grid.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

        const QColor cellBackground =
            image.pixelColor(grid.cellRect(0).topLeft() * ratio + QPoint(6, 6) * ratio);
        for (int i = 0; i < grid.model().cellCount(); ++i) {
            // The emoji's own square in the middle of the cell, clear of the cell's rounded corners.
            const QPoint centre = grid.cellRect(i).center();
            const QRect device(QPoint(centre.x() - 12, centre.y() - 12) * ratio, QSize(24, 24) * ratio);
            const int minimum = int(24 * 24 * ratio * ratio / 10);
            EXPECT_GE(colouredPixels(image, device, cellBackground), minimum)
                << grid.model().emoji(i).toStdString() << " at " << ratio << "x";
        }
    }
}

} // namespace
