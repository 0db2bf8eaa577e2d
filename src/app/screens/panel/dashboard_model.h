#pragma once

#include "model/integration_provider.h"
#include "model/metric_kind.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class AppState;

// The live dashboard's rules, read from the engine each time the view redraws.
class DashboardModel {
public:
    struct Tile {
        QString label;
        QString value;
        bool operator==(const Tile&) const = default;
    };
    struct ProviderCard {
        IntegrationProvider provider = IntegrationProvider::demo;
        QString title;
        QString summary;
        QDateTime fetchedAt;
        QList<Tile> tiles;
        bool operator==(const ProviderCard&) const = default;
    };
    struct GoalRow {
        QString name;
        QString metricName;
        double fraction = 0;
        bool isComplete = false;
        // "current / target", empty when complete.
        QString progressText;
        bool operator==(const GoalRow&) const = default;
    };
    struct GoalsOverview {
        // No enabled goal of period today: the empty-state card instead.
        bool isEmpty = true;
        QString statusLine;
        double fraction = 0;
        int completedCount = 0;
        int totalCount = 0;
        QList<GoalRow> rows;
        bool operator==(const GoalsOverview&) const = default;
    };
    struct PollStatus {
        // "Updated 10:15:02", or a waiting text before the first poll.
        QString updated;
        std::optional<QString> error;
    };

    explicit DashboardModel(AppState& state) : m_state(state) {}

    bool showsDemoCard() const;
    GoalsOverview goalsOverview() const;
    // Sorted by display name; the demo source only while it is on.
    QList<ProviderCard> providerCards() const;
    PollStatus pollStatus() const;

    // Whole numbers; today's and the week's revenue carry the symbol of `currencyCode` ("$85", "¥1500").
    static QString tileValue(MetricKind metric, double value, const QString& currencyCode);
    // Goal rows: every money metric with the symbol of `currencyCode`, position and CTR with one decimal,
    // the rest whole.
    static QString goalValue(MetricKind metric, double value, const QString& currencyCode);
    static QString statusLine(int completed, int total, double fraction);
    // The ring's centre: the whole percentage ("45%") and "completed/total".
    static QString ringPercent(double fraction);

private:
    AppState& m_state;
};
