#pragma once

#include <QJsonValue>
#include <optional>

// Number readings that never overflow, whatever the JSON holds.
namespace JsonNumbers {

// The value if it is a whole number within the 64-bit range (JSON "2000.0" counts as 2000).
std::optional<qint64> exactInteger(const QJsonValue& value);

// A whole number as it is; any other number truncated toward zero when that fits in 64 bits; otherwise
// absent.
std::optional<qint64> truncatedInteger(const QJsonValue& value);

} // namespace JsonNumbers
