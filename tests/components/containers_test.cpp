#include "app/components/zing_menu_picker.h"
#include "app/components/zing_progress_bar.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_section_header.h"
#include "image_probe.h"

#include <QLabel>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(ProgressBar, FractionIsClampedAndNotANumberCountsAsNothing) {
    const struct {
        double in;
        double out;
    } cases[] = {{0.5, 0.5},
                 {-1, 0},
                 {7, 1},
                 {std::numeric_limits<double>::quiet_NaN(), 0},
                 {std::numeric_limits<double>::infinity(), 1}};
    for (const auto& c : cases) {
        ZingProgressBar bar;
        bar.setFraction(c.in);
        EXPECT_DOUBLE_EQ(bar.fraction(), c.out) << c.in;
    }
}

TEST(ProgressBar, FillsFromTheLeftUpToItsFraction) {
    ZingProgressBar bar;
    bar.resize(200, 6);
    bar.setFraction(0.5);
    const QImage image = renderedImage(bar);
    // The fill is opaque, the track behind it is not.
    EXPECT_GT(image.pixelColor(90, 3).alpha(), 250);
    EXPECT_LT(image.pixelColor(110, 3).alpha(), 60);
}

TEST(ScrollArea, ContentStaysTransparentSoThePanelShowsThrough) {
    ZingScrollArea area;
    auto* content = new QLabel(QStringLiteral("content"));
    area.setContent(content);
    EXPECT_FALSE(content->autoFillBackground());
    EXPECT_FALSE(area.viewport()->autoFillBackground());
    EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(area.widgetResizable());
}

TEST(MenuPicker, ArrowKeysChooseAnEntryAndTheWidestEntryFits) {
    ZingMenuPicker picker;
    picker.addItem(QStringLiteral("Short"));
    const int before = picker.sizeHint().width();
    picker.addItem(QStringLiteral("A much longer entry than the first"));
    EXPECT_GT(picker.sizeHint().width(), before) << "adding a wider entry must widen the picker";
    picker.setCurrentIndex(0);
    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_EQ(picker.currentIndex(), 1);
    EXPECT_EQ(picker.focusPolicy(), Qt::StrongFocus);
}

TEST(SectionHeader, HidesAnEmptySubtitleAndShowsAGivenOne) {
    ZingSectionHeader header(QStringLiteral("Goals"));
    EXPECT_TRUE(header.subtitleLabel()->isHidden());
    header.setSubtitle(QStringLiteral("Hit a target"));
    EXPECT_FALSE(header.subtitleLabel()->isHidden());
    EXPECT_TRUE(header.subtitleLabel()->wordWrap());
}

} // namespace
