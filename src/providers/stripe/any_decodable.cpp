#include "providers/stripe/any_decodable.h"

#include "providers/stripe/json_dictionary.h"
#include "providers/stripe/json_numbers.h"

AnyDecodable::AnyDecodable(QJsonValue value)
    : m_value(value.isUndefined() ? QJsonValue(QJsonValue::Null) : value) {}

std::optional<qint64> AnyDecodable::intValue() const {
    return JsonNumbers::truncatedInteger(m_value);
}

std::optional<QString> AnyDecodable::stringValue() const {
    if (!m_value.isString())
        return std::nullopt;
    return m_value.toString();
}

std::optional<JsonDictionary> AnyDecodable::dictionaryValue() const {
    return JsonDictionary::fromJson(m_value);
}
