#pragma once

#include "model/google_integration_metadata.h"
#include "model/metric_kind.h"
#include "model/notification_style.h"

#include <QJsonObject>
#include <QJsonValue>
#include <optional>

// The user's settings. Values outside the ranges the settings screen offers are kept as read.
struct AppSettings {
    bool hasCompletedOnboarding = false;
    bool demoModeEnabled = false;
    // Stored and written back unchanged; nothing depends on it.
    bool launchAtLogin = false;
    double pollIntervalSeconds = 30;
    double reactionDurationSeconds = 3.5;
    bool reactionAnimationsEnabled = true;
    NotificationStyle notificationStyle = NotificationStyle::celebration;
    bool showMenuBarMetric = true;
    std::optional<MetricKind> preferredMenuBarMetric = MetricKind::revenueToday;
    bool soundsMuted = false;
    GoogleIntegrationMetadata googleIntegration;

    bool operator==(const AppSettings&) const = default;

    static AppSettings defaults() { return AppSettings{}; }

    QJsonObject toJson() const;
    // Strict. Only reactionAnimationsEnabled, notificationStyle, preferredMenuBarMetric and soundsMuted may
    // be missing (they arrived after the first stored documents); a missing preferredMenuBarMetric stays
    // unset.
    static std::optional<AppSettings> fromJson(const QJsonValue& value);
};
