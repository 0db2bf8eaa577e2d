#include "providers/stripe/json_numbers.h"

#include <cmath>

namespace JsonNumbers {

std::optional<qint64> exactInteger(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    // Qt keeps whole literals as 64-bit integers; toInteger() answers the fallback for anything else.
    const qint64 whole = value.toInteger(0);
    if (whole == 0 && value.toDouble() != 0.0)
        return std::nullopt;
    return whole;
}

std::optional<qint64> truncatedInteger(const QJsonValue& value) {
    if (const auto whole = exactInteger(value))
        return whole;
    if (!value.isDouble())
        return std::nullopt;
    const double truncated = std::trunc(value.toDouble());
    // 2^63 is exactly representable; anything at or beyond it (or NaN) would overflow the conversion.
    if (!(truncated >= -9223372036854775808.0 && truncated < 9223372036854775808.0))
        return std::nullopt;
    return static_cast<qint64>(truncated);
}

} // namespace JsonNumbers
