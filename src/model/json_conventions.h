#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>
#include <optional>

// The conventions shared by every stored document: timestamps as seconds since 2001-01-01 00:00:00 UTC,
// UUIDs in canonical upper case, compact output.
namespace JsonConventions {

QDateTime referenceDate();
double encodeTimestamp(const QDateTime& moment);
// Accepts any JSON number; anything else reads as nothing.
std::optional<QDateTime> decodeTimestamp(const QJsonValue& value);

QString encodeUuid(const QUuid& id);
// Only the canonical 36-character form (either case) reads as a UUID.
std::optional<QUuid> decodeUuid(const QJsonValue& value);

// A value that must be present and of the given JSON type; nothing otherwise.
std::optional<QString> requireString(const QJsonObject& object, const QString& key);
std::optional<bool> requireBool(const QJsonObject& object, const QString& key);
std::optional<double> requireDouble(const QJsonObject& object, const QString& key);

QByteArray compact(const QJsonObject& object);
QByteArray compact(const QJsonArray& array);

} // namespace JsonConventions
