#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>
#include <optional>

// Reads members with the rules of the strictly decoded Stripe records: a required member must be present with
// its type; an optional one may be missing or null but never of another type. The first violation makes ok()
// false for good, so a record is read in one pass and judged at the end.
class StrictJsonReader {
public:
    bool ok() const { return m_ok; }
    void fail() { m_ok = false; }

    QString requiredString(const QJsonObject& object, QLatin1String key);
    std::optional<QString> optionalString(const QJsonObject& object, QLatin1String key);
    qint64 requiredInteger(const QJsonObject& object, QLatin1String key);
    std::optional<qint64> optionalInteger(const QJsonObject& object, QLatin1String key);
    bool requiredBool(const QJsonObject& object, QLatin1String key);
    double requiredDouble(const QJsonObject& object, QLatin1String key);
    // The member unless it is missing or null.
    static std::optional<QJsonValue> presentValue(const QJsonObject& object, QLatin1String key);

private:
    bool m_ok = true;
};
