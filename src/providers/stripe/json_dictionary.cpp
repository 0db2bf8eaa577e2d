#include "providers/stripe/json_dictionary.h"

std::optional<JsonDictionary> JsonDictionary::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    return JsonDictionary(value.toObject());
}
