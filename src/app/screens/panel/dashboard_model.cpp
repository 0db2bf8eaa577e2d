#include "app/screens/panel/dashboard_model.h"

#include "engine/app_state.h"
#include "model/c_format.h"
#include "model/currency_format.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTilesPerCard = 4;

int truncatedPercent(double fraction) {
    return int(std::trunc(fraction * 100));
}

} // namespace

bool DashboardModel::showsDemoCard() const {
    return m_state.settings().demoModeEnabled;
}

DashboardModel::GoalsOverview DashboardModel::goalsOverview() const {
    GoalsOverview overview;
    const QList<GoalProgressItem> items = m_state.progressItems();
    overview.totalCount = int(m_state.todayGoals().size());
    overview.isEmpty = overview.totalCount == 0;
    if (overview.isEmpty)
        return overview;
    overview.fraction = m_state.overallFraction();
    overview.completedCount = m_state.completedCount();
    overview.statusLine = statusLine(overview.completedCount, overview.totalCount, overview.fraction);
    for (const GoalProgressItem& item : items) {
        GoalRow row;
        row.name = item.goal.name;
        row.metricName = MetricKinds::displayName(item.goal.metric);
        row.fraction = item.fraction;
        row.isComplete = item.isComplete;
        if (!item.isComplete) {
            const QString code = m_state.currencyCode(item.goal.provider);
            row.progressText = goalValue(item.goal.metric, item.current, code) + QStringLiteral(" / ") +
                               goalValue(item.goal.metric, item.goal.targetValue, code);
        }
        overview.rows.append(row);
    }
    return overview;
}

QList<DashboardModel::ProviderCard> DashboardModel::providerCards() const {
    QList<ProviderCard> cards;
    const auto& snapshots = m_state.snapshots();
    for (auto it = snapshots.constBegin(); it != snapshots.constEnd(); ++it) {
        if (it.key() == IntegrationProvider::demo && !m_state.settings().demoModeEnabled)
            continue;
        ProviderCard card;
        card.provider = it.key();
        card.title = IntegrationProviders::displayName(it.key());
        card.summary = it->displaySummary;
        card.fetchedAt = it->fetchedAt;
        const QList<MetricKind>& metrics = MetricKinds::available(it.key());
        for (qsizetype i = 0; i < std::min<qsizetype>(kTilesPerCard, metrics.size()); ++i)
            card.tiles.append({MetricKinds::displayName(metrics[i]),
                               tileValue(metrics[i], it->value(metrics[i]), it->currencyCode)});
        cards.append(card);
    }
    std::stable_sort(cards.begin(), cards.end(), [](const ProviderCard& a, const ProviderCard& b) {
        return QString::compare(a.title, b.title, Qt::CaseInsensitive) < 0;
    });
    return cards;
}

DashboardModel::PollStatus DashboardModel::pollStatus() const {
    PollStatus status;
    const std::optional<QDateTime>& at = m_state.lastPollAt();
    if (at) {
        const QDateTime local = at->toTimeZone(m_state.clock().timeZone());
        status.updated = QStringLiteral("Updated ") + local.toString(QStringLiteral("HH:mm:ss"));
    } else {
        status.updated = QStringLiteral("Waiting for the first update…");
    }
    status.error = m_state.lastError();
    return status;
}

QString DashboardModel::tileValue(MetricKind metric, double value, const QString& currencyCode) {
    if (metric == MetricKind::revenueToday || metric == MetricKind::revenue7d)
        return CurrencyFormat::format(value, currencyCode);
    return cFormat("%.0f", value);
}

QString DashboardModel::goalValue(MetricKind metric, double value, const QString& currencyCode) {
    if (MetricKinds::isCurrency(metric))
        return CurrencyFormat::format(value, currencyCode);
    if (metric == MetricKind::avgPosition || metric == MetricKind::ctr)
        return cFormat("%.1f", value);
    return cFormat("%.0f", value);
}

QString DashboardModel::statusLine(int completed, int total, double fraction) {
    if (total > 0 && completed >= total)
        return QStringLiteral("All crushed — you're on fire 🔥");
    if (completed == 0)
        return QString::number(truncatedPercent(fraction)) + QStringLiteral("% of the way there");
    return QString::number(completed) + QStringLiteral(" of ") + QString::number(total) +
           QStringLiteral(" done · keep going");
}

QString DashboardModel::ringPercent(double fraction) {
    return QString::number(truncatedPercent(fraction)) + QLatin1Char('%');
}
