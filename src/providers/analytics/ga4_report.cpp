#include "providers/analytics/ga4_report.h"

#include "providers/decoding_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>
#include <cmath>

namespace {

// The named member of every element that has it as text, in order.
QStringList textsOf(const QJsonValue& array, const QString& key) {
    QStringList texts;
    for (const QJsonValue element : array.toArray()) {
        const QJsonValue value = element.toObject().value(key);
        if (value.isString())
            texts.append(value.toString());
    }
    return texts;
}

double numberOf(const QString& text) {
    bool ok = false;
    // The C locale's reading: "12.5" is twelve and a half whatever the user's locale.
    const double value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace

QByteArray Ga4Report::requestBody() const {
    QJsonArray metricObjects;
    for (const QString& name : metrics)
        metricObjects.append(QJsonObject{{QStringLiteral("name"), name}});
    const QJsonObject body{
        {QStringLiteral("dateRanges"), QJsonArray{QJsonObject{{QStringLiteral("startDate"), startDate},
                                                              {QStringLiteral("endDate"), endDate}}}},
        {QStringLiteral("metrics"), metricObjects}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

Ga4Report::Result Ga4Report::parse(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(error.errorString());
    Result result;
    if (!document.isObject())
        return result;
    const QJsonObject root = document.object();
    const QStringList names = textsOf(root.value(QStringLiteral("metricHeaders")), QStringLiteral("name"));
    QStringList values;
    const QJsonArray rows = root.value(QStringLiteral("rows")).toArray();
    if (!rows.isEmpty())
        values =
            textsOf(rows.first().toObject().value(QStringLiteral("metricValues")), QStringLiteral("value"));
    for (qsizetype i = 0; i < std::min(names.size(), values.size()); ++i)
        result.insert(names.at(i), numberOf(values.at(i)));
    return result;
}
