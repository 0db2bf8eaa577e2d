#include "app/screens/settings/settings_model.h"
#include "screen_fixture.h"

namespace {

class SettingsModelTest : public ScreenTest {
protected:
    SettingsModel& model() {
        if (!m_model)
            m_model = std::make_unique<SettingsModel>(
                state(),
                AutostartEntry(scratch.filePath(QStringLiteral("autostart")), QStringLiteral("/opt/z")),
                scratch.filePath(QStringLiteral("Sounds")));
        return *m_model;
    }

private:
    std::unique_ptr<SettingsModel> m_model;
};

TEST_F(SettingsModelTest, StepperValuesAreSavedInsideTheirRanges) {
    const struct {
        double given;
        double saved;
        QString label;
    } durations[] = {{4.5, 4.5, QStringLiteral("Show for 4.5s")},
                     {8.5, 8, QStringLiteral("Show for 8.0s")},
                     {1.5, 2, QStringLiteral("Show for 2.0s")}};
    for (const auto& c : durations) {
        model().setReactionDurationSeconds(c.given);
        EXPECT_EQ(savedSettings().reactionDurationSeconds, c.saved) << c.given;
        EXPECT_EQ(SettingsModel::durationLabel(model().settings().reactionDurationSeconds), c.label);
    }
    const struct {
        double given;
        double saved;
        QString label;
    } polls[] = {{45, 45, QStringLiteral("Poll every 45s")},
                 {135, 120, QStringLiteral("Poll every 120s")},
                 {0, 15, QStringLiteral("Poll every 15s")}};
    for (const auto& c : polls) {
        model().setPollIntervalSeconds(c.given);
        EXPECT_EQ(savedSettings().pollIntervalSeconds, c.saved) << c.given;
        EXPECT_EQ(SettingsModel::pollLabel(model().settings().pollIntervalSeconds), c.label);
    }
}

TEST_F(SettingsModelTest, StoredOutOfRangeValueIsKeptWhenOtherSettingsChange) {
    storeSettings([](AppSettings& s) {
        s.pollIntervalSeconds = 5;
        s.reactionDurationSeconds = 20;
    });
    model().setSoundsMuted(true);
    EXPECT_EQ(savedSettings().pollIntervalSeconds, 5);
    EXPECT_EQ(savedSettings().reactionDurationSeconds, 20);
    EXPECT_TRUE(savedSettings().soundsMuted);
    EXPECT_EQ(SettingsModel::pollLabel(5), QStringLiteral("Poll every 5s"));
}

TEST_F(SettingsModelTest, MetricPickerFollowsTheToggleAndShowsTheStoredChoice) {
    storeSettings([](AppSettings& s) {
        s.showMenuBarMetric = false;
        s.preferredMenuBarMetric = MetricKind::visitorsToday;
    });
    EXPECT_FALSE(model().isMetricPickerVisible());
    model().setShowMenuBarMetric(true);
    EXPECT_TRUE(model().isMetricPickerVisible());
    EXPECT_EQ(model().selectedMetricIndex(), 2);
    EXPECT_EQ(SettingsModel::metricChoices()[2].second, QStringLiteral("Visitors today"));
    EXPECT_TRUE(savedSettings().showMenuBarMetric);

    model().setPreferredMenuBarMetric(MetricKind::clicksToday);
    EXPECT_EQ(savedSettings().preferredMenuBarMetric, MetricKind::clicksToday);

    // A stored metric the picker does not offer, or none, selects nothing.
    for (const std::optional<MetricKind> stored :
         {std::optional<MetricKind>(MetricKind::mrr), std::optional<MetricKind>()}) {
        AppSettings s = state().settings();
        s.preferredMenuBarMetric = stored;
        state().setSettings(s);
        EXPECT_EQ(model().selectedMetricIndex(), std::nullopt);
    }
}

TEST_F(SettingsModelTest, EveryControlSavesAtOnce) {
    model().setNotificationStyle(NotificationStyle::subtle);
    model().setReactionAnimationsEnabled(false);
    model().setSoundsMuted(true);
    model().setDemoModeEnabled(true);
    const AppSettings saved = savedSettings();
    EXPECT_EQ(saved.notificationStyle, NotificationStyle::subtle);
    EXPECT_FALSE(saved.reactionAnimationsEnabled);
    EXPECT_TRUE(saved.soundsMuted);
    EXPECT_TRUE(saved.demoModeEnabled);
    EXPECT_TRUE(model().demoModeEnabled());
    EXPECT_EQ(SettingsModel::styleCaption(NotificationStyle::subtle),
              QStringLiteral("Corner toast + quiet sound. Emoji rain still fires if animations are on."));
}

TEST_F(SettingsModelTest, OpenAtLoginWritesTheEntryAndTheSetting) {
    EXPECT_FALSE(model().opensAtLogin());
    EXPECT_EQ(model().setOpensAtLogin(true), std::nullopt);
    EXPECT_TRUE(model().opensAtLogin());
    EXPECT_TRUE(savedSettings().launchAtLogin);
    EXPECT_EQ(model().setOpensAtLogin(false), std::nullopt);
    EXPECT_FALSE(model().opensAtLogin());
    EXPECT_FALSE(savedSettings().launchAtLogin);
}

} // namespace
