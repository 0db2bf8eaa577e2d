#include "providers/searchconsole/gsc_query_totals.h"

#include "model/c_format.h"
#include "providers/decoding_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

double number(const QJsonObject& row, const QString& key) {
    const QJsonValue value = row.value(key);
    return value.isDouble() ? value.toDouble() : 0.0;
}

} // namespace

GscQueryTotals GscQueryTotals::parse(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(error.errorString());
    GscQueryTotals totals;
    const QJsonArray rows = document.object().value(QStringLiteral("rows")).toArray();
    for (const QJsonValue row : rows) {
        // Rows that are not all objects are not the answer's rows at all.
        if (!row.isObject())
            return GscQueryTotals{};
    }
    for (const QJsonValue row : rows) {
        const QJsonObject object = row.toObject();
        const double impressions = number(object, QStringLiteral("impressions"));
        totals.clicks += number(object, QStringLiteral("clicks"));
        totals.impressions += impressions;
        totals.weightedPosition += impressions * number(object, QStringLiteral("position"));
    }
    return totals;
}

double GscQueryTotals::averagePosition() const {
    return impressions > 0 ? weightedPosition / impressions : 0.0;
}

double GscQueryTotals::clickThroughRate() const {
    return impressions > 0 ? clicks / impressions * 100.0 : 0.0;
}

QHash<MetricKind, double> GscQueryTotals::values() const {
    return {
        {MetricKind::clicks, clicks},
        {MetricKind::impressions, impressions},
        {MetricKind::avgPosition, averagePosition()},
        {MetricKind::ctr, clickThroughRate()},
        {MetricKind::clicksToday, clicks / 28.0},
        {MetricKind::impressionsToday, impressions / 28.0},
    };
}

QString GscQueryTotals::displaySummary() const {
    return cFormat("%.0f clicks \u00b7 %.1f%% CTR (28d)", clicks, clickThroughRate());
}
