#pragma once

#include "app/screens/settings/autostart_entry.h"
#include "app/screens/settings/stepper_range.h"
#include "model/app_settings.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

class AppState;

// The rules of the settings window. Every change is written to the engine's settings and saved at once.
class SettingsModel {
public:
    SettingsModel(AppState& state, AutostartEntry autostart, QString soundsFolder);

    const AppSettings& settings() const;

    static QString styleCaption(NotificationStyle style);
    void setNotificationStyle(NotificationStyle style);
    void setReactionAnimationsEnabled(bool enabled);

    // The steppers. A stored value outside the range is shown as stored; a value set through the stepper
    // is kept inside it.
    static const StepperRange& durationRange();
    static QString durationLabel(double seconds);
    void setReactionDurationSeconds(double seconds);

    static const StepperRange& pollRange();
    static QString pollLabel(double seconds);
    void setPollIntervalSeconds(double seconds);

    void setShowMenuBarMetric(bool shown);
    // The "Metric" picker exists only while the live metric is shown.
    bool isMetricPickerVisible() const;
    // The picker's four choices, in order, with their titles.
    static const QList<std::pair<MetricKind, QString>>& metricChoices();
    // Index of the stored choice in metricChoices(); none when unset or not one of the four.
    std::optional<int> selectedMetricIndex() const;
    void setPreferredMenuBarMetric(MetricKind metric);

    void setSoundsMuted(bool muted);
    // The folder the sound engine reads the user's clips from.
    const QString& soundsFolder() const { return m_soundsFolder; }

    bool demoModeEnabled() const;
    void setDemoModeEnabled(bool enabled);

    static QString aboutLine(const QString& version);

    bool opensAtLogin() const { return m_autostart.isEnabled(); }
    // Writes or removes the autostart entry; an error text when that failed (the switch then stays as the
    // file says).
    std::optional<QString> setOpensAtLogin(bool enabled);

private:
    template <typename Edit> void update(Edit edit);

    AppState& m_state;
    AutostartEntry m_autostart;
    QString m_soundsFolder;
};
