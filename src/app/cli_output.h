#pragma once

#include "engine/active_reaction.h"
#include "model/app_settings.h"
#include "model/integration_connection.h"
#include "model/metric_snapshot.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QTimeZone>
#include <cstdio>
#include <optional>

// What the command line prints. Scripts read the JSON forms, so their keys and value forms are fixed.
namespace CliOutput {

// ISO 8601 in UTC with a "Z", whole seconds.
QString isoUtc(const QDateTime& moment);

// {"emoji", "message", "subtitle", "sound", "context", "amount", "headline"}; absent values are null.
QJsonObject reactionJson(const ActiveReaction& reaction);
// {"<provider>": {"values": {"<metric>": number}, "displaySummary", "currency", "fetchedAt"}}.
QJsonObject snapshotsJson(const QMap<IntegrationProvider, MetricSnapshot>& snapshots);
// The one-poll document: lastPollAt, lastError, snapshots, reactions.
QJsonObject pollDocument(const std::optional<QDateTime>& lastPollAt, const std::optional<QString>& lastError,
                         const QMap<IntegrationProvider, MetricSnapshot>& snapshots,
                         const QList<ActiveReaction>& reactions);
// The document with "type" set, as one line of the JSON-lines stream.
QJsonObject typed(const QString& type, QJsonObject object);

// Local time, emoji, message, subtitle, stamp and amount on one line.
QString reactionLine(const ActiveReaction& reaction, const QTimeZone& zone);

// "<provider>: <summary>"; the demo source's summary names itself already.
QString labelledSummary(const MetricSnapshot& snapshot);
// Local time and every provider's labelled summary on one line ("15:04:05  Demo: $1234 · 56 sessions").
QString figuresLine(const QDateTime& moment, const QTimeZone& zone,
                    const QMap<IntegrationProvider, MetricSnapshot>& snapshots);

// The connections, the Google choices and the settings that matter; never a credential.
QJsonObject statusJson(const AppSettings& settings, const QList<IntegrationConnection>& integrations);
QString statusText(const AppSettings& settings, const QList<IntegrationConnection>& integrations,
                   const QTimeZone& zone);

// Compact JSON followed by a line break.
QByteArray jsonLine(const QJsonObject& object);

// Writes UTF-8 text and flushes at once, so scripts reading a pipe see each line as it happens.
void print(std::FILE* stream, const QString& text);

} // namespace CliOutput
