#include "app/screens/panel/panel_placement.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << "(" << point.x() << ", " << point.y() << ")";
}

namespace {

const QSize kPanel(360, 560);

// A 1280 x 800 screen whose panel bar (32 px) sits at the top or the bottom, and a second screen to the
// right.
const QRect kBelowTopBar(0, 32, 1280, 768);
const QRect kAboveBottomBar(0, 0, 1280, 768);
const QRect kSecondScreen(1280, 0, 1920, 1080);

bool inside(const QRect& area, QPoint topLeft) {
    return area.contains(QRect(topLeft, kPanel));
}

TEST(PanelPlacement, BelowOrAboveTheTrayIconAndInsideTheScreen) {
    const struct {
        const char* name;
        QRect tray;
        QRect available;
        QPoint expected;
    } cases[] = {
        // Centred under the icon, 4 px below the bar.
        {"top bar, middle", QRect(600, 4, 24, 24), kBelowTopBar, QPoint(432, 32)},
        {"top bar, right corner", QRect(1250, 4, 24, 24), kBelowTopBar, QPoint(920, 32)},
        {"top bar, left corner", QRect(2, 4, 24, 24), kBelowTopBar, QPoint(0, 32)},
        // A bottom bar opens the panel upwards, ending 4 px above the icon.
        {"bottom bar, right corner", QRect(1250, 772, 24, 24), kAboveBottomBar, QPoint(920, 208)},
        {"bottom bar, left corner", QRect(0, 772, 24, 24), kAboveBottomBar, QPoint(0, 208)},
        // A vertical bar at the right edge: the panel stays out of it.
        {"right bar, top", QRect(1252, 10, 24, 24), QRect(0, 0, 1248, 800), QPoint(888, 38)},
        {"right bar, bottom", QRect(1252, 770, 24, 24), QRect(0, 0, 1248, 800), QPoint(888, 206)},
        {"second screen, top right", QRect(3170, 4, 24, 24), QRect(1280, 32, 1920, 1048), QPoint(2840, 32)},
    };
    for (const auto& c : cases) {
        const QPoint placed = PanelPlacement::topLeft(kPanel, c.tray, QPoint(5, 5), c.available);
        EXPECT_EQ(placed, c.expected) << c.name;
        EXPECT_TRUE(inside(c.available, placed)) << c.name;
    }
}

TEST(PanelPlacement, AtThePointerWhenTheTrayReportsNoGeometry) {
    const struct {
        const char* name;
        QPoint pointer;
        QRect available;
        QPoint expected;
    } cases[] = {
        {"middle of the upper half", QPoint(640, 200), kBelowTopBar, QPoint(460, 205)},
        {"top left corner", QPoint(0, 32), kBelowTopBar, QPoint(0, 37)},
        {"top right corner", QPoint(1279, 32), kBelowTopBar, QPoint(920, 37)},
        {"bottom right corner: upwards", QPoint(1279, 767), kAboveBottomBar, QPoint(920, 203)},
        {"bottom left corner: upwards", QPoint(0, 767), kAboveBottomBar, QPoint(0, 203)},
        {"mid-height: fits neither side, more room above", QPoint(0, 390), kAboveBottomBar, QPoint(0, 0)},
        {"second screen, bottom edge", QPoint(2000, 1079), kSecondScreen, QPoint(1820, 515)},
    };
    for (const auto& c : cases) {
        const QPoint placed = PanelPlacement::topLeft(kPanel, QRect(), c.pointer, c.available);
        EXPECT_EQ(placed, c.expected) << c.name;
        EXPECT_TRUE(inside(c.available, placed)) << c.name;
    }
}

TEST(PanelPlacement, AScreenSmallerThanThePanelKeepsTheHeaderVisible) {
    const QRect tiny(100, 50, 300, 400);
    EXPECT_EQ(PanelPlacement::topLeft(kPanel, QRect(380, 60, 16, 16), QPoint(), tiny), QPoint(100, 50));
    EXPECT_EQ(PanelPlacement::topLeft(kPanel, QRect(), QPoint(390, 440), tiny), QPoint(100, 50));
}

} // namespace
