#include "app/screens/settings/settings_model.h"

#include "engine/app_state.h"

SettingsModel::SettingsModel(AppState& state, AutostartEntry autostart, QString soundsFolder)
    : m_state(state), m_autostart(std::move(autostart)), m_soundsFolder(std::move(soundsFolder)) {}

const AppSettings& SettingsModel::settings() const {
    return m_state.settings();
}

template <typename Edit> void SettingsModel::update(Edit edit) {
    AppSettings next = m_state.settings();
    edit(next);
    if (next == m_state.settings())
        return;
    m_state.setSettings(next);
    m_state.saveAll();
}

QString SettingsModel::styleCaption(NotificationStyle style) {
    switch (style) {
    case NotificationStyle::subtle:
        return QStringLiteral("Corner toast + quiet sound. Emoji rain still fires if animations are on.");
    case NotificationStyle::celebration:
        break;
    }
    return QStringLiteral("Full-screen zing with emoji rain, flash, and screen shake.");
}

void SettingsModel::setNotificationStyle(NotificationStyle style) {
    update([&](AppSettings& s) { s.notificationStyle = style; });
}

void SettingsModel::setReactionAnimationsEnabled(bool enabled) {
    update([&](AppSettings& s) { s.reactionAnimationsEnabled = enabled; });
}

const StepperRange& SettingsModel::durationRange() {
    static const StepperRange range{2, 8, 0.5};
    return range;
}

QString SettingsModel::durationLabel(double seconds) {
    return QStringLiteral("Show for %1s").arg(seconds, 0, 'f', 1);
}

void SettingsModel::setReactionDurationSeconds(double seconds) {
    update([&](AppSettings& s) { s.reactionDurationSeconds = durationRange().clamped(seconds); });
}

const StepperRange& SettingsModel::pollRange() {
    static const StepperRange range{15, 120, 15};
    return range;
}

QString SettingsModel::pollLabel(double seconds) {
    return QStringLiteral("Poll every %1s").arg(seconds, 0, 'f', 0);
}

void SettingsModel::setPollIntervalSeconds(double seconds) {
    update([&](AppSettings& s) { s.pollIntervalSeconds = pollRange().clamped(seconds); });
}

void SettingsModel::setShowMenuBarMetric(bool shown) {
    update([&](AppSettings& s) { s.showMenuBarMetric = shown; });
}

bool SettingsModel::isMetricPickerVisible() const {
    return m_state.settings().showMenuBarMetric;
}

const QList<std::pair<MetricKind, QString>>& SettingsModel::metricChoices() {
    static const QList<std::pair<MetricKind, QString>> choices = {
        {MetricKind::revenueToday, QStringLiteral("Revenue today")},
        {MetricKind::sessionsToday, QStringLiteral("Sessions today")},
        {MetricKind::visitorsToday, QStringLiteral("Visitors today")},
        {MetricKind::clicksToday, QStringLiteral("Clicks today")}};
    return choices;
}

std::optional<int> SettingsModel::selectedMetricIndex() const {
    const std::optional<MetricKind> stored = m_state.settings().preferredMenuBarMetric;
    for (int i = 0; stored && i < metricChoices().size(); ++i) {
        if (metricChoices()[i].first == *stored)
            return i;
    }
    return std::nullopt;
}

void SettingsModel::setPreferredMenuBarMetric(MetricKind metric) {
    update([&](AppSettings& s) { s.preferredMenuBarMetric = metric; });
}

void SettingsModel::setSoundsMuted(bool muted) {
    update([&](AppSettings& s) { s.soundsMuted = muted; });
}

bool SettingsModel::demoModeEnabled() const {
    return m_state.demoModeEnabled();
}

void SettingsModel::setDemoModeEnabled(bool enabled) {
    m_state.setDemoModeEnabled(enabled);
}

QString SettingsModel::aboutLine(const QString& version) {
    return QStringLiteral("Zingboard v") + version + QStringLiteral(" \u2014 metrics that zing back.");
}

std::optional<QString> SettingsModel::setOpensAtLogin(bool enabled) {
    if (std::optional<QString> error = m_autostart.setEnabled(enabled))
        return error;
    // Kept in step with the entry so the stored settings tell the same story.
    update([&](AppSettings& s) { s.launchAtLogin = enabled; });
    return std::nullopt;
}
