#include "model/app_settings.h"

#include "model/json_conventions.h"

using namespace JsonConventions;

namespace {

bool isMissing(const QJsonValue& v) {
    return v.isUndefined() || v.isNull();
}

} // namespace

QJsonObject AppSettings::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("hasCompletedOnboarding"), hasCompletedOnboarding);
    object.insert(QStringLiteral("demoModeEnabled"), demoModeEnabled);
    object.insert(QStringLiteral("launchAtLogin"), launchAtLogin);
    object.insert(QStringLiteral("pollIntervalSeconds"), pollIntervalSeconds);
    object.insert(QStringLiteral("reactionDurationSeconds"), reactionDurationSeconds);
    object.insert(QStringLiteral("reactionAnimationsEnabled"), reactionAnimationsEnabled);
    object.insert(QStringLiteral("notificationStyle"), NotificationStyles::rawValue(notificationStyle));
    object.insert(QStringLiteral("showMenuBarMetric"), showMenuBarMetric);
    if (preferredMenuBarMetric)
        object.insert(QStringLiteral("preferredMenuBarMetric"),
                      MetricKinds::rawValue(*preferredMenuBarMetric));
    object.insert(QStringLiteral("soundsMuted"), soundsMuted);
    object.insert(QStringLiteral("googleIntegration"), googleIntegration.toJson());
    return object;
}

std::optional<AppSettings> AppSettings::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    const auto hasCompletedOnboarding = requireBool(object, QStringLiteral("hasCompletedOnboarding"));
    const auto demoModeEnabled = requireBool(object, QStringLiteral("demoModeEnabled"));
    const auto launchAtLogin = requireBool(object, QStringLiteral("launchAtLogin"));
    const auto pollIntervalSeconds = requireDouble(object, QStringLiteral("pollIntervalSeconds"));
    const auto reactionDurationSeconds = requireDouble(object, QStringLiteral("reactionDurationSeconds"));
    const auto showMenuBarMetric = requireBool(object, QStringLiteral("showMenuBarMetric"));
    const auto googleIntegration =
        GoogleIntegrationMetadata::fromJson(object.value(QStringLiteral("googleIntegration")));
    if (!hasCompletedOnboarding || !demoModeEnabled || !launchAtLogin || !pollIntervalSeconds ||
        !reactionDurationSeconds || !showMenuBarMetric || !googleIntegration)
        return std::nullopt;

    AppSettings settings;
    settings.hasCompletedOnboarding = *hasCompletedOnboarding;
    settings.demoModeEnabled = *demoModeEnabled;
    settings.launchAtLogin = *launchAtLogin;
    settings.pollIntervalSeconds = *pollIntervalSeconds;
    settings.reactionDurationSeconds = *reactionDurationSeconds;
    settings.showMenuBarMetric = *showMenuBarMetric;
    settings.googleIntegration = *googleIntegration;

    // Optional keys: absent takes the default, but a present value must be valid.
    const QJsonValue animations = object.value(QStringLiteral("reactionAnimationsEnabled"));
    if (!isMissing(animations)) {
        if (!animations.isBool())
            return std::nullopt;
        settings.reactionAnimationsEnabled = animations.toBool();
    }
    const QJsonValue style = object.value(QStringLiteral("notificationStyle"));
    if (!isMissing(style)) {
        const auto parsed =
            style.isString() ? NotificationStyles::fromRawValue(style.toString()) : std::nullopt;
        if (!parsed)
            return std::nullopt;
        settings.notificationStyle = *parsed;
    }
    const QJsonValue metric = object.value(QStringLiteral("preferredMenuBarMetric"));
    if (isMissing(metric)) {
        settings.preferredMenuBarMetric.reset();
    } else {
        const auto parsed = metric.isString() ? MetricKinds::fromRawValue(metric.toString()) : std::nullopt;
        if (!parsed)
            return std::nullopt;
        settings.preferredMenuBarMetric = *parsed;
    }
    const QJsonValue muted = object.value(QStringLiteral("soundsMuted"));
    if (!isMissing(muted)) {
        if (!muted.isBool())
            return std::nullopt;
        settings.soundsMuted = muted.toBool();
    }
    return settings;
}
