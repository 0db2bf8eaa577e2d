#include "app/components/zing_chip.h"
#include "app/components/zing_page_dots.h"
#include "app/components/zing_secure_field.h"
#include "app/components/zing_stepper.h"
#include "app/components/zing_switch.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

QList<qreal> widths(const ZingPageDots& dots) {
    QList<qreal> result;
    for (int i = 0; i < dots.count(); ++i)
        result.append(dots.dotRect(i).width());
    return result;
}

TEST(PageDots, CurrentDotIsWideAndTheRowIsCentredWithEvenGaps) {
    ZingPageDots dots(4, 1);
    dots.resize(dots.sizeHint() + QSize(40, 10));
    EXPECT_EQ(widths(dots), (QList<qreal>{8, 22, 8, 8}));
    for (int i = 1; i < 4; ++i)
        EXPECT_DOUBLE_EQ(dots.dotRect(i).left() - dots.dotRect(i - 1).right(), 8);
    EXPECT_DOUBLE_EQ(dots.dotRect(0).left(), 20);
    EXPECT_DOUBLE_EQ(dots.dotRect(3).right(), dots.width() - 20.0);
    EXPECT_DOUBLE_EQ(dots.dotRect(0).height(), 8);
}

TEST(PageDots, OutOfRangeIndexesAreClampedAndShrinkingTheCountKeepsAValidCurrent) {
    ZingPageDots dots(4, 0);
    dots.setCurrent(99);
    EXPECT_EQ(dots.current(), 3);
    dots.setCurrent(-5);
    EXPECT_EQ(dots.current(), 0);
    dots.setCurrent(3);
    dots.setCount(2);
    EXPECT_EQ(dots.current(), 1);
    EXPECT_EQ(widths(dots), (QList<qreal>{8, 22}));
    dots.setCount(0);
    EXPECT_TRUE(dots.dotRect(0).isNull());
}

TEST(PageDots, AChangeEasesWhileShownAndSettlesAtOnceWhenHidden) {
    ZingPageDots dots(3, 0);
    dots.resize(dots.sizeHint());
    dots.show();
    dots.setCurrent(2);
    // Just started: the old dot is still wide, the new one still narrow.
    EXPECT_GT(dots.dotRect(0).width(), 20);
    EXPECT_LT(dots.dotRect(2).width(), 10);
    dots.hide();
    EXPECT_EQ(widths(dots), (QList<qreal>{8, 8, 22}));
}

struct StepCase {
    const char* name;
    double start;
    std::function<void(ZingStepper&)> act;
    double expected;
};

class StepperClamping : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepperClamping, StaysWithinItsBounds) {
    const StepCase& c = GetParam();
    ZingStepper stepper(15, 300, 15);
    stepper.setValue(c.start);
    c.act(stepper);
    EXPECT_DOUBLE_EQ(stepper.value(), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    , StepperClamping,
    ::testing::Values(
        StepCase{"above the maximum", 30, [](ZingStepper& s) { s.setValue(1000); }, 300},
        StepCase{"below the minimum", 30, [](ZingStepper& s) { s.setValue(-4); }, 15},
        StepCase{"not a number", 30,
                 [](ZingStepper& s) { s.setValue(std::numeric_limits<double>::quiet_NaN()); }, 30},
        StepCase{"a step past the top stops there", 290, [](ZingStepper& s) { s.stepBy(1); }, 300},
        StepCase{"a step past the bottom stops there", 20, [](ZingStepper& s) { s.stepBy(-1); }, 15},
        StepCase{"Page Up near the top", 250, [](ZingStepper& s) { QTest::keyClick(&s, Qt::Key_PageUp); },
                 300},
        StepCase{"Down arrow", 45, [](ZingStepper& s) { QTest::keyClick(&s, Qt::Key_Down); }, 30},
        StepCase{"Home", 200, [](ZingStepper& s) { QTest::keyClick(&s, Qt::Key_Home); }, 15},
        StepCase{"range narrowed under the value", 200, [](ZingStepper& s) { s.setRange(15, 60); }, 60}));

TEST(Stepper, ReportsOnlyRealChangesAndReadsWithItsFormat) {
    ZingStepper stepper(1, 10, 1);
    stepper.setLabelFormat([](double v) { return QStringLiteral("%1 s").arg(v); });
    QSignalSpy changes(&stepper, &ZingStepper::valueChanged);
    stepper.setValue(10);
    stepper.stepBy(1); // already at the top
    stepper.setValue(10);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(stepper.label(), QStringLiteral("10 s"));
    EXPECT_EQ(stepper.accessibleName(), QStringLiteral("10 s"));
}

TEST(Stepper, PlusButtonStepsWhenReleasedOverIt) {
    ZingStepper stepper(0, 10, 2);
    stepper.resize(stepper.sizeHint());
    const QPoint plus(stepper.width() - 10, stepper.height() / 2);
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, plus);
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, QPoint(10, stepper.height() / 2));
    QTest::mouseClick(&stepper, Qt::LeftButton, {}, plus);
    EXPECT_DOUBLE_EQ(stepper.value(), 2);
}

using ButtonFactory = std::function<QAbstractButton*()>;

class ToggleByKeyboard : public ::testing::TestWithParam<std::pair<const char*, ButtonFactory>> {};

TEST_P(ToggleByKeyboard, SpaceTogglesAndReportsWhileEnabledOnly) {
    std::unique_ptr<QAbstractButton> button(GetParam().second());
    EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
    QSignalSpy toggled(button.get(), &QAbstractButton::toggled);
    QTest::keyClick(button.get(), Qt::Key_Space);
    EXPECT_TRUE(button->isChecked());
    QTest::keyClick(button.get(), Qt::Key_Space);
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(toggled.count(), 2);
    button->setEnabled(false);
    QTest::keyClick(button.get(), Qt::Key_Space);
    EXPECT_FALSE(button->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    , ToggleByKeyboard,
    ::testing::Values(
        std::pair<const char*, ButtonFactory>{
            "switch", [] { return static_cast<QAbstractButton*>(new ZingSwitch(QStringLiteral("Sounds"))); }},
        std::pair<const char*, ButtonFactory>{
            "chip", [] { return static_cast<QAbstractButton*>(new ZingChip(QStringLiteral("Today"))); }}),
    [](const auto& info) { return std::string(info.param.first); });

// Editors set a record's state with signals blocked; the knob must still show it.
TEST(Switch, StateSetWithSignalsBlockedIsDrawn) {
    ZingSwitch blocked(QStringLiteral("Enabled"));
    ZingSwitch toggled(QStringLiteral("Enabled"));
    ZingSwitch off(QStringLiteral("Enabled"));
    for (ZingSwitch* item : {&blocked, &toggled, &off})
        item->resize(item->sizeHint());
    {
        const QSignalBlocker blocker(&blocked);
        blocked.setChecked(true);
    }
    toggled.setChecked(true);
    EXPECT_EQ(blocked.grab().toImage(), toggled.grab().toImage());
    EXPECT_NE(blocked.grab().toImage(), off.grab().toImage());
}

TEST(SecureField, NeverExposesItsText) {
    const QString secret = QStringLiteral("sk_live_abcdef123456");
    ZingSecureField field(QStringLiteral("Secret key"));
    QTest::keyClicks(&field, secret);
    ASSERT_EQ(field.text(), secret);
    EXPECT_NE(field.displayText(), secret);
    EXPECT_FALSE(field.toolTip().contains(QStringLiteral("abcdef")));
    EXPECT_FALSE(field.accessibleName().contains(QStringLiteral("abcdef")));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&field);
    ASSERT_NE(accessible, nullptr);
    for (const auto role : {QAccessible::Name, QAccessible::Value, QAccessible::Description})
        EXPECT_FALSE(accessible->text(role).contains(QStringLiteral("abcdef"))) << role;
    if (auto* text = accessible->textInterface()) {
        EXPECT_FALSE(text->text(0, text->characterCount()).contains(QStringLiteral("abcdef")));
    }
}

} // namespace
