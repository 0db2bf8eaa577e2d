#pragma once

#include <QJsonValue>
#include <QString>
#include <optional>

class JsonDictionary;

// One JSON value of whatever shape an event's object holds. Holding or reading one never fails.
class AnyDecodable {
public:
    AnyDecodable() = default;
    explicit AnyDecodable(QJsonValue value);

    const QJsonValue& value() const { return m_value; }
    bool isNull() const { return m_value.isNull() || m_value.isUndefined(); }

    // A whole number as it is, another number truncated toward zero; absent for anything else and for
    // numbers beyond the 64-bit range.
    std::optional<qint64> intValue() const;
    // The text if the value is a JSON string.
    std::optional<QString> stringValue() const;
    // The members if the value is a JSON object.
    std::optional<JsonDictionary> dictionaryValue() const;

    friend bool operator==(const AnyDecodable&, const AnyDecodable&) = default;

private:
    QJsonValue m_value{QJsonValue::Null};
};
