#include "providers/stripe/strict_json_reader.h"

#include "providers/stripe/json_numbers.h"

std::optional<QJsonValue> StrictJsonReader::presentValue(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    return value;
}

QString StrictJsonReader::requiredString(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        fail();
        return {};
    }
    return value.toString();
}

std::optional<QString> StrictJsonReader::optionalString(const QJsonObject& object, QLatin1String key) {
    const auto value = presentValue(object, key);
    if (!value)
        return std::nullopt;
    if (!value->isString()) {
        fail();
        return std::nullopt;
    }
    return value->toString();
}

qint64 StrictJsonReader::requiredInteger(const QJsonObject& object, QLatin1String key) {
    const auto number = JsonNumbers::exactInteger(object.value(key));
    if (!number) {
        fail();
        return 0;
    }
    return *number;
}

std::optional<qint64> StrictJsonReader::optionalInteger(const QJsonObject& object, QLatin1String key) {
    const auto value = presentValue(object, key);
    if (!value)
        return std::nullopt;
    const auto number = JsonNumbers::exactInteger(*value);
    if (!number)
        fail();
    return number;
}

bool StrictJsonReader::requiredBool(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isBool()) {
        fail();
        return false;
    }
    return value.toBool();
}

double StrictJsonReader::requiredDouble(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isDouble()) {
        fail();
        return 0.0;
    }
    return value.toDouble();
}
