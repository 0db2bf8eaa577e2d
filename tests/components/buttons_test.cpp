#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_tab_button.h"
#include "image_probe.h"

#include <gtest/gtest.h>

namespace {

// The first column on the middle row that the button painted: a pressed, enabled button shrinks about its
// centre.
int leftEdge(const QImage& image) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, image.height() / 2).alpha() > 20)
            return x;
    return -1;
}

struct PrimaryCase {
    const char* name;
    bool enabled;
    bool pressed;
    double gradientOpacity;
    double labelOpacity;
    bool shrinks;
};

class PrimaryButtonStates : public ::testing::TestWithParam<PrimaryCase> {};

TEST_P(PrimaryButtonStates, DrawGradientAtItsOpacityAndShrinkOnlyWhenEnabledAndPressed) {
    const PrimaryCase c = GetParam();
    ZingPrimaryButton button(QStringLiteral("Save"));
    button.resize(200, 40);
    button.setEnabled(c.enabled);
    button.setDown(c.pressed);

    const QImage image = renderedImage(button);
    // Above the label, inside the rounded rectangle: only the gradient is there.
    EXPECT_NEAR(image.pixelColor(100, 4).alphaF(), c.gradientOpacity, 0.02) << c.name;
    EXPECT_EQ(leftEdge(image) > 0, c.shrinks) << c.name;
    const auto appearance = ZingPrimaryButton::appearance(c.enabled, c.pressed);
    EXPECT_DOUBLE_EQ(appearance.labelOpacity, c.labelOpacity) << c.name;
    EXPECT_DOUBLE_EQ(appearance.backgroundOpacity, c.gradientOpacity) << c.name;
}

INSTANTIATE_TEST_SUITE_P(, PrimaryButtonStates,
                         ::testing::Values(PrimaryCase{"at rest", true, false, 1.0, 1.0, false},
                                           PrimaryCase{"pressed", true, true, 0.75, 1.0, true},
                                           PrimaryCase{"disabled", false, false, 0.35, 0.55, false},
                                           PrimaryCase{"disabled and pressed", false, true, 0.35, 0.55,
                                                       false}));

TEST(PrimaryButton, ExpandsOnlyWhenAsked) {
    ZingPrimaryButton button(QStringLiteral("Save"));
    EXPECT_EQ(button.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    button.setExpands(true);
    EXPECT_TRUE(button.sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag);
}

TEST(PrimaryButton, PressingRunsTheEaseAndHidingEndsIt) {
    ZingPrimaryButton button(QStringLiteral("Save"));
    button.resize(200, 40);
    button.show();
    renderedImage(button); // the first paint shows the state at once; later changes ease
    button.setDown(true);
    const QImage easing = renderedImage(button);
    EXPECT_GT(easing.pixelColor(100, 4).alphaF(), 0.8) << "a press must ease in, not jump";

    button.hide();
    button.setDown(false);
    button.setDown(true);
    EXPECT_NEAR(renderedImage(button).pixelColor(100, 4).alphaF(), 0.75, 0.02)
        << "a hidden button must not keep an animation running";
}

TEST(TabButton, SelectionIsTheCallersAndReadable) {
    ZingTabButton tab(QStringLiteral("Goals"));
    int clicks = 0;
    QObject::connect(&tab, &QAbstractButton::clicked, [&] { ++clicks; });
    tab.click();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(tab.isSelected()) << "clicking must not select by itself";
    tab.setSelected(true);
    EXPECT_FALSE(tab.accessibleDescription().isEmpty());
}

// A delete must read as one at a glance, and a disabled one must not shout.
TEST(SecondaryButton, DestructiveOnlyTintsAnEnabledButton) {
    const struct {
        bool destructive;
        bool enabled;
        bool red;
    } cases[] = {
        {false, true, false},
        {true, true, true},
        {true, false, false},
    };
    for (const auto& c : cases) {
        ZingSecondaryButton button(QStringLiteral("Delete"));
        button.setSymbol(QStringLiteral("trash"));
        button.setDestructive(c.destructive);
        button.setEnabled(c.enabled);
        button.resize(button.sizeHint());
        const QImage image = renderedImage(button);
        int reddish = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor p = image.pixelColor(x, y);
                reddish += p.alpha() > 128 && p.red() > 2 * p.green() && p.red() > 150 ? 1 : 0;
            }
        EXPECT_EQ(reddish > 20, c.red) << "destructive " << c.destructive << ", enabled " << c.enabled
                                       << ": " << reddish;
    }
}

} // namespace
