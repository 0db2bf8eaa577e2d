#include "app/components/zing_menu_picker.h"
#include "app/components/zing_stepper.h"
#include "app/components/zing_switch.h"
#include "app/screens/settings/settings_view.h"
#include "screen_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class SettingsViewTest : public ScreenTest {
protected:
    QString autostartFolder() const { return scratch.filePath(QStringLiteral("autostart")); }
    std::unique_ptr<SettingsView> makeView() {
        auto view = std::make_unique<SettingsView>(
            state(), shell, AutostartEntry(autostartFolder(), QStringLiteral("/opt/zingboard/bin/zingboard")),
            scratch.filePath(QStringLiteral("Sounds")));
        view->resize(view->sizeHint());
        view->show();
        return view;
    }
};

TEST_F(SettingsViewTest, MetricPickerIsHiddenWhileTheToggleIsOffAndShowsTheStoredChoice) {
    storeSettings([](AppSettings& s) {
        s.showMenuBarMetric = false;
        s.preferredMenuBarMetric = MetricKind::visitorsToday;
    });
    auto view = makeView();
    EXPECT_FALSE(view->metricPicker()->isVisible());

    QTest::mouseClick(view->menuBarSwitch(), Qt::LeftButton);
    EXPECT_TRUE(view->metricPicker()->isVisible());
    EXPECT_EQ(view->metricPicker()->currentText(), QStringLiteral("Visitors today"));
    EXPECT_TRUE(savedSettings().showMenuBarMetric);
    EXPECT_EQ(savedSettings().preferredMenuBarMetric, MetricKind::visitorsToday);

    view->metricPicker()->setCurrentIndex(3);
    EXPECT_EQ(savedSettings().preferredMenuBarMetric, MetricKind::clicksToday);
    QTest::mouseClick(view->menuBarSwitch(), Qt::LeftButton);
    EXPECT_FALSE(view->metricPicker()->isVisible());
    EXPECT_FALSE(savedSettings().showMenuBarMetric);
}

TEST_F(SettingsViewTest, SteppersClampAtBothEndsAndShowAStoredValueUntilStepped) {
    storeSettings([](AppSettings& s) {
        s.pollIntervalSeconds = 600;
        s.reactionDurationSeconds = 1;
    });
    auto view = makeView();
    ZingStepper* poll = view->pollStepper();
    ZingStepper* duration = view->durationStepper();
    EXPECT_EQ(poll->label(), QStringLiteral("Poll every 600s"));
    EXPECT_EQ(duration->label(), QStringLiteral("Show for 1.0s"));

    // Stepping further out of range does nothing; the value stays as stored.
    QTest::keyClick(poll, Qt::Key_Up);
    QTest::keyClick(duration, Qt::Key_Down);
    EXPECT_EQ(savedSettings().pollIntervalSeconds, 600);
    EXPECT_EQ(savedSettings().reactionDurationSeconds, 1);

    // A step towards the range lands inside it.
    QTest::keyClick(poll, Qt::Key_Down);
    QTest::keyClick(duration, Qt::Key_Up);
    EXPECT_EQ(savedSettings().pollIntervalSeconds, 105);
    EXPECT_EQ(savedSettings().reactionDurationSeconds, 2.5);
    EXPECT_EQ(poll->label(), QStringLiteral("Poll every 105s"));
    EXPECT_EQ(duration->label(), QStringLiteral("Show for 2.5s"));

    const struct {
        ZingStepper* stepper;
        Qt::Key key;
        int presses;
        double poll, duration;
    } steps[] = {
        {poll, Qt::Key_Up, 3, 120, 2.5},     // stops at the top
        {poll, Qt::Key_Down, 12, 15, 2.5},   // and at the bottom
        {duration, Qt::Key_Up, 20, 15, 8},   // 8 at most
        {duration, Qt::Key_Down, 20, 15, 2}, // 2 at least
    };
    for (const auto& s : steps) {
        for (int i = 0; i < s.presses; ++i)
            QTest::keyClick(s.stepper, s.key);
        EXPECT_EQ(savedSettings().pollIntervalSeconds, s.poll);
        EXPECT_EQ(savedSettings().reactionDurationSeconds, s.duration);
    }
    EXPECT_EQ(duration->label(), QStringLiteral("Show for 2.0s"));
}

TEST_F(SettingsViewTest, ControlsWriteTheirSettingsAndFollowChangesMadeElsewhere) {
    auto view = makeView();
    view->stylePicker()->setCurrentIndex(1);
    QTest::mouseClick(view->animationsSwitch(), Qt::LeftButton);
    QTest::mouseClick(view->muteSwitch(), Qt::LeftButton);
    QTest::mouseClick(view->demoSwitch(), Qt::LeftButton);
    AppSettings saved = savedSettings();
    EXPECT_EQ(saved.notificationStyle, NotificationStyle::subtle);
    EXPECT_FALSE(saved.reactionAnimationsEnabled);
    EXPECT_TRUE(saved.soundsMuted);
    EXPECT_TRUE(state().demoModeEnabled());

    // The demo flag may also change from the command line or the tray menu.
    state().setDemoModeEnabled(false);
    EXPECT_FALSE(view->demoSwitch()->isChecked());
    EXPECT_EQ(savedSettings().notificationStyle, NotificationStyle::subtle);
}

TEST_F(SettingsViewTest, SoundTipsButtonOpensTheHelpTab) {
    auto view = makeView();
    QTest::mouseClick(view->soundTipsButton(), Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("showPopover help")});
}

TEST_F(SettingsViewTest, LoginSwitchWritesRemovesAndReadsTheAutostartEntry) {
    const QString entry = autostartFolder() + QStringLiteral("/com.zingboard.Zingboard.desktop");
    {
        auto view = makeView();
        EXPECT_FALSE(view->loginSwitch()->isChecked());
        QTest::mouseClick(view->loginSwitch(), Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(entry));
        EXPECT_TRUE(view->loginSwitch()->isChecked());
        QTest::mouseClick(view->loginSwitch(), Qt::LeftButton);
        EXPECT_FALSE(QFile::exists(entry));
        EXPECT_FALSE(view->loginSwitch()->isChecked());
    }
    // One made by hand counts.
    QDir().mkpath(autostartFolder());
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nExec=zingboard\n");
    file.close();
    auto view = makeView();
    EXPECT_TRUE(view->loginSwitch()->isChecked());
}

TEST_F(SettingsViewTest, LoginSwitchThatCannotWriteSaysSoAndStaysOff) {
    QFile blocker(autostartFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto view = makeView();
    QTest::mouseClick(view->loginSwitch(), Qt::LeftButton);
    EXPECT_FALSE(view->loginSwitch()->isChecked());
    EXPECT_TRUE(view->loginError()->isVisible());
    EXPECT_TRUE(view->loginError()->text().contains(autostartFolder()))
        << view->loginError()->text().toStdString();
    EXPECT_FALSE(savedSettings().launchAtLogin);
}

// Tab from the first control visits every control once, top to bottom and left to right within a row, and
// wraps.
TEST_F(SettingsViewTest, TabWalksEveryControlInReadingOrder) {
    storeSettings([](AppSettings& s) { s.showMenuBarMetric = true; });
    auto view = makeView();
    const TabWalk walk = walkTab(view.get());
    ASSERT_GE(walk.expected.size(), 9);
    EXPECT_EQ(walk.actual, walk.expected);
}

} // namespace
