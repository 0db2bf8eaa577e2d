#include "providers/datafast/datafast_stats.h"

#include "model/c_format.h"
#include "providers/decoding_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>

namespace {

// Page views are estimated from sessions; the statistics endpoint does not report them.
constexpr double kPageviewsPerSession = 2.1;

std::optional<double> number(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return std::nullopt;
    return value.toDouble();
}

} // namespace

DatafastStats DatafastStats::parse(const QByteArray& body) {
    // Qt parses only objects and arrays at the top; wrapping the body lets any JSON value through, and the
    // element count rejects a list such as "1,2" that is not one value.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson('[' + body + ']', &error);
    if (error.error != QJsonParseError::NoError || document.array().size() != 1)
        throw DecodingError(QStringLiteral("The statistics answer is not valid JSON (%1).")
                                .arg(error.error != QJsonParseError::NoError
                                         ? error.errorString()
                                         : QStringLiteral("no single value")));
    DatafastStats stats;
    const QJsonValue value = document.array().at(0);
    if (!value.isObject())
        return stats;
    const QJsonObject object = value.toObject();
    stats.sessions = number(object, QStringLiteral("sessions"));
    stats.visitors = number(object, QStringLiteral("visitors"));
    stats.revenue = number(object, QStringLiteral("revenue"));
    stats.goals = number(object, QStringLiteral("goals"));
    return stats;
}

QHash<MetricKind, double> DatafastStats::metricValues() const {
    QHash<MetricKind, double> values;
    if (sessions) {
        values.insert(MetricKind::datafastSessions, *sessions);
        values.insert(MetricKind::pageviewsToday, *sessions * kPageviewsPerSession);
    }
    if (visitors) {
        values.insert(MetricKind::datafastVisitors, *visitors);
        values.insert(MetricKind::visitorsToday, *visitors);
    }
    if (revenue)
        values.insert(MetricKind::datafastRevenue, *revenue);
    if (goals) {
        values.insert(MetricKind::datafastGoals, *goals);
        values.insert(MetricKind::goalCompletionsToday, *goals);
    }
    return values;
}

QString DatafastStats::displaySummary() const {
    QStringList parts;
    if (visitors)
        parts.append(cFormat("%.0f visitors", *visitors));
    if (revenue)
        parts.append(cFormat("$%.0f revenue", *revenue));
    if (parts.isEmpty())
        return QStringLiteral("No statistics reported");
    return parts.join(QStringLiteral(" \u00B7 "));
}
