#include "model/json_conventions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <cmath>

namespace JsonConventions {

QDateTime referenceDate() { return QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC); }

double encodeTimestamp(const QDateTime& moment) {
    return static_cast<double>(referenceDate().msecsTo(moment)) / 1000.0;
}

std::optional<QDateTime> decodeTimestamp(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double seconds = value.toDouble();
    // Beyond a few million years QDateTime cannot hold the moment; such a value is not a timestamp.
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1.0e14)
        return std::nullopt;
    return referenceDate().addMSecs(static_cast<qint64>(std::llround(seconds * 1000.0)));
}

QString encodeUuid(const QUuid& id) { return id.toString(QUuid::WithoutBraces).toUpper(); }

std::optional<QUuid> decodeUuid(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    static const QRegularExpression canonical(
        QStringLiteral("^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
    const QString text = value.toString();
    if (!canonical.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

std::optional<QString> requireString(const QJsonObject& object, const QString& key) {
    const QJsonValue v = object.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<bool> requireBool(const QJsonObject& object, const QString& key) {
    const QJsonValue v = object.value(key);
    if (!v.isBool())
        return std::nullopt;
    return v.toBool();
}

std::optional<double> requireDouble(const QJsonObject& object, const QString& key) {
    const QJsonValue v = object.value(key);
    if (!v.isDouble())
        return std::nullopt;
    return v.toDouble();
}

QByteArray compact(const QJsonObject& object) { return QJsonDocument(object).toJson(QJsonDocument::Compact); }

QByteArray compact(const QJsonArray& array) { return QJsonDocument(array).toJson(QJsonDocument::Compact); }

} // namespace JsonConventions
