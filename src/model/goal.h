#pragma once

#include "model/goal_period.h"
#include "model/integration_provider.h"
#include "model/metric_kind.h"
#include "model/reaction_config.h"

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>
#include <optional>

// A target on one metric that fires once it is reached.
struct Goal {
    QUuid id;
    QString name;
    IntegrationProvider provider = IntegrationProvider::stripe;
    MetricKind metric = MetricKind::revenueToday;
    double targetValue = 0;
    GoalPeriod period = GoalPeriod::today;
    ReactionConfig reaction;
    bool isEnabled = true;
    std::optional<QDateTime> lastTriggeredAt;

    bool operator==(const Goal&) const = default;

    QJsonObject toJson() const;
    // Strict: every key but lastTriggeredAt is required.
    static std::optional<Goal> fromJson(const QJsonValue& value);
};
