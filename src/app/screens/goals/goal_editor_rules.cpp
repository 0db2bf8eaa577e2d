#include "app/screens/goals/goal_editor_rules.h"

#include "model/default_rules.h"
#include "model/goal_formatting.h"

#include <QLocale>
#include <cmath>

namespace GoalEditorRules {

TargetRange targetRange(MetricKind metric) {
    switch (metric) {
    case MetricKind::totalRevenue:
    case MetricKind::mrr:
    case MetricKind::recurringMrr:
    case MetricKind::arr:
        return {100, 100000, 10};
    case MetricKind::revenueToday:
    case MetricKind::revenue7d:
    case MetricKind::datafastRevenue:
        return {10, 10000, 10};
    case MetricKind::usersGrowth:
    case MetricKind::ctr:
        return {0.1, 50, 0.1};
    case MetricKind::avgPosition:
        return {1, 50, 0.1};
    default:
        return {1, 1000, 1};
    }
}

QList<double> quickPicks(MetricKind metric) {
    switch (metric) {
    case MetricKind::revenueToday:
    case MetricKind::revenue7d:
    case MetricKind::datafastRevenue:
        return {50, 100, 500, 1000};
    case MetricKind::sessionsToday:
    case MetricKind::sessions:
    case MetricKind::datafastSessions:
        return {50, 100, 250, 500};
    case MetricKind::usersToday:
    case MetricKind::users:
    case MetricKind::datafastVisitors:
    case MetricKind::clicksToday:
    case MetricKind::clicks:
        return {25, 50, 100, 250};
    case MetricKind::avgPosition:
        return {5, 10, 15, 20};
    case MetricKind::ctr:
        return {1, 2, 5, 10};
    default:
        return {10, 25, 50, 100};
    }
}

QList<QString> suggestedEmojis(MetricKind metric) {
    const char* const* emojis = nullptr;
    static const char* const money[] = {"\U0001F680", "\U0001F911", "\U0001F4B0", "\U0001F410"};
    static const char* const search[] = {"\U0001F50D", "\U0001F4C8", "\u2728", "\U0001F451"};
    static const char* const other[] = {"\U0001F389", "\U0001F525", "\U0001F4AA", "\U0001F3C6"};
    if (MetricKinds::isCurrency(metric))
        emojis = money;
    else if (metric == MetricKind::avgPosition || metric == MetricKind::ctr)
        emojis = search;
    else
        emojis = other;
    QList<QString> result;
    for (int i = 0; i < 4; ++i)
        result.append(QString::fromUtf8(emojis[i]));
    return result;
}

MetricKind normalisedMetric(IntegrationProvider provider, MetricKind metric) {
    const QList<MetricKind>& offered = MetricKinds::available(provider);
    return offered.contains(metric) || offered.isEmpty() ? metric : offered.first();
}

QString suggestedName(const Goal& goal, const QString& currencyCode) {
    QString name = GoalFormatting::format(goal.targetValue, goal.metric, currencyCode) + QLatin1Char(' ') +
                   MetricKinds::displayName(goal.metric).toLower();
    switch (goal.metric) {
    case MetricKind::pageviews:
    case MetricKind::newUsers:
    case MetricKind::signups:
    case MetricKind::engagedSessions:
    case MetricKind::datafastSessions:
    case MetricKind::datafastVisitors:
    case MetricKind::datafastRevenue:
    case MetricKind::datafastGoals:
    case MetricKind::clicks:
    case MetricKind::impressions:
    case MetricKind::avgPosition:
    case MetricKind::ctr:
        name += goal.period == GoalPeriod::today ? QStringLiteral(" today") : QStringLiteral(" this week");
        break;
    default:
        break;
    }
    return name;
}

QString targetText(double value) {
    // 15 significant digits drop the binary noise of slider steps (0.30000000000000004 -> 0.3).
    const double rounded = QLocale::c().toString(value, 'g', 15).toDouble();
    QString text = QLocale::c().toString(rounded, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

std::optional<double> parseTarget(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Goal newGoal() {
    return DefaultRules::defaultGoals().first();
}

QList<Goal> quickStartGoals() {
    const auto goal = [](const char* name, IntegrationProvider provider, MetricKind metric, const char* emoji,
                         SoundEffect sound, const char* message) {
        return Goal{QUuid::createUuid(),
                    QString::fromUtf8(name),
                    provider,
                    metric,
                    100,
                    GoalPeriod::today,
                    ReactionConfig{QString::fromUtf8(emoji), sound, QString::fromUtf8(message)},
                    true,
                    std::nullopt};
    };
    return {
        goal("$100 revenue today", IntegrationProvider::stripe, MetricKind::revenueToday, "\U0001F680",
             SoundEffect::moan, "Show me the money!"),
        goal("100 sessions today", IntegrationProvider::googleAnalytics, MetricKind::sessionsToday,
             "\U0001F525", SoundEffect::applause, "Traffic is up!"),
    };
}

} // namespace GoalEditorRules
