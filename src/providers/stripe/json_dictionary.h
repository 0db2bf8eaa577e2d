#pragma once

#include "providers/stripe/any_decodable.h"

#include <QJsonObject>
#include <QStringList>
#include <optional>

// A JSON object whose members are read loosely: a missing member reads as null, never as an error.
class JsonDictionary {
public:
    JsonDictionary() = default;
    explicit JsonDictionary(QJsonObject values) : m_values(std::move(values)) {}

    // Present only for a JSON object.
    static std::optional<JsonDictionary> fromJson(const QJsonValue& value);

    const QJsonObject& values() const { return m_values; }
    QStringList keys() const { return m_values.keys(); }
    bool contains(const QString& key) const { return m_values.contains(key); }

    AnyDecodable value(const QString& key) const { return AnyDecodable(m_values.value(key)); }
    std::optional<QString> string(const QString& key) const { return value(key).stringValue(); }
    std::optional<qint64> integer(const QString& key) const { return value(key).intValue(); }
    std::optional<JsonDictionary> dictionary(const QString& key) const {
        return value(key).dictionaryValue();
    }

    friend bool operator==(const JsonDictionary&, const JsonDictionary&) = default;

private:
    QJsonObject m_values;
};
