#include "app/cli_output.h"

#include "model/c_format.h"
#include "model/reaction_context.h"
#include "model/sound_effect.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <cmath>

namespace CliOutput {

namespace {

QJsonValue orNull(const std::optional<QString>& text) {
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

// JSON has no NaN or infinity; such a value is reported as null rather than breaking the document.
QJsonValue number(double value) {
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

} // namespace

QString isoUtc(const QDateTime& moment) {
    return moment.toUTC().toString(Qt::ISODate);
}

QJsonObject reactionJson(const ActiveReaction& reaction) {
    std::optional<QString> context;
    std::optional<QString> amount;
    std::optional<QString> headline;
    if (reaction.details) {
        context = ReactionContexts::rawValue(reaction.details->context);
        // Falls back to amountLine by itself.
        amount = reaction.details->formattedAmount();
        headline = reaction.details->headline;
    }
    return QJsonObject{
        {QStringLiteral("emoji"), reaction.config.emoji},
        {QStringLiteral("message"), reaction.config.message},
        {QStringLiteral("subtitle"), reaction.subtitle},
        {QStringLiteral("sound"), SoundEffects::rawValue(reaction.config.sound)},
        {QStringLiteral("context"), orNull(context)},
        {QStringLiteral("amount"), orNull(amount)},
        {QStringLiteral("headline"), orNull(headline)},
    };
}

QJsonObject snapshotsJson(const QMap<IntegrationProvider, MetricSnapshot>& snapshots) {
    QJsonObject all;
    for (auto it = snapshots.constBegin(); it != snapshots.constEnd(); ++it) {
        QJsonObject values;
        for (auto value = it->values.constBegin(); value != it->values.constEnd(); ++value)
            values.insert(MetricKinds::rawValue(value.key()), number(value.value()));
        all.insert(IntegrationProviders::rawValue(it.key()),
                   QJsonObject{{QStringLiteral("values"), values},
                               {QStringLiteral("displaySummary"), it->displaySummary},
                               {QStringLiteral("currency"), it->currencyCode},
                               {QStringLiteral("fetchedAt"), isoUtc(it->fetchedAt)}});
    }
    return all;
}

QJsonObject pollDocument(const std::optional<QDateTime>& lastPollAt, const std::optional<QString>& lastError,
                         const QMap<IntegrationProvider, MetricSnapshot>& snapshots,
                         const QList<ActiveReaction>& reactions) {
    QJsonArray list;
    for (const ActiveReaction& reaction : reactions)
        list.append(reactionJson(reaction));
    return QJsonObject{
        {QStringLiteral("lastPollAt"),
         lastPollAt ? QJsonValue(isoUtc(*lastPollAt)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("lastError"), orNull(lastError)},
        {QStringLiteral("snapshots"), snapshotsJson(snapshots)},
        {QStringLiteral("reactions"), list},
    };
}

QJsonObject typed(const QString& type, QJsonObject object) {
    object.insert(QStringLiteral("type"), type);
    return object;
}

QString reactionLine(const ActiveReaction& reaction, const QTimeZone& zone) {
    QStringList parts;
    parts.append(reaction.createdAt.toTimeZone(zone).toString(QStringLiteral("HH:mm:ss")));
    parts.append(reaction.config.emoji + QLatin1Char(' ') + reaction.config.message);
    if (!reaction.subtitle.isEmpty())
        parts.append(reaction.subtitle);
    if (reaction.details) {
        parts.append(QLatin1Char('[') + ReactionContexts::stampText(reaction.details->context) +
                     QLatin1Char(']'));
        if (const std::optional<QString> amount = reaction.details->formattedAmount())
            parts.append(*amount);
    }
    return parts.join(QStringLiteral("  "));
}

QString labelledSummary(const MetricSnapshot& snapshot) {
    if (snapshot.provider == IntegrationProvider::demo)
        return snapshot.displaySummary;
    return IntegrationProviders::displayName(snapshot.provider) + QStringLiteral(": ") +
           snapshot.displaySummary;
}

QString figuresLine(const QDateTime& moment, const QTimeZone& zone,
                    const QMap<IntegrationProvider, MetricSnapshot>& snapshots) {
    QStringList parts = {moment.toTimeZone(zone).toString(QStringLiteral("HH:mm:ss"))};
    // The order in which a poll visits the sources.
    for (IntegrationProvider provider :
         {IntegrationProvider::demo, IntegrationProvider::stripe, IntegrationProvider::googleAnalytics,
          IntegrationProvider::datafast, IntegrationProvider::googleSearchConsole}) {
        if (snapshots.contains(provider))
            parts.append(labelledSummary(snapshots.value(provider)));
    }
    return parts.join(QStringLiteral("  "));
}

QJsonObject statusJson(const AppSettings& settings, const QList<IntegrationConnection>& integrations) {
    QJsonArray records;
    for (const IntegrationConnection& connection : integrations)
        records.append(connection.toJson());
    return QJsonObject{
        {QStringLiteral("integrations"), records},
        {QStringLiteral("demoModeEnabled"), settings.demoModeEnabled},
        {QStringLiteral("googleIntegration"), settings.googleIntegration.toJson()},
        {QStringLiteral("pollIntervalSeconds"), number(settings.pollIntervalSeconds)},
        {QStringLiteral("notificationStyle"), NotificationStyles::rawValue(settings.notificationStyle)},
        {QStringLiteral("soundsMuted"), settings.soundsMuted},
    };
}

QString statusText(const AppSettings& settings, const QList<IntegrationConnection>& integrations,
                   const QTimeZone& zone) {
    QStringList lines;
    for (const IntegrationConnection& connection : integrations) {
        QString line = IntegrationProviders::displayName(connection.provider) + QStringLiteral(": ");
        if (!connection.isConnected) {
            line += QStringLiteral("not connected");
        } else {
            line += QStringLiteral("connected");
            if (!connection.label.isEmpty())
                line += QStringLiteral(" (") + connection.label + QLatin1Char(')');
            if (connection.configuredAt)
                line += QStringLiteral(" since ") + connection.configuredAt->toTimeZone(zone).toString(
                                                        QStringLiteral("yyyy-MM-dd HH:mm"));
        }
        lines.append(line);
    }
    const GoogleIntegrationMetadata& google = settings.googleIntegration;
    if (google.gaPropertyId)
        lines.append(QStringLiteral("Google Analytics property: ") + *google.gaPropertyId +
                     (google.gaPropertyName ? QStringLiteral(" (") + *google.gaPropertyName + QLatin1Char(')')
                                            : QString()));
    if (google.gscSiteUrl)
        lines.append(QStringLiteral("Search Console site: ") + *google.gscSiteUrl);
    lines.append(QStringLiteral("Demo mode: ") +
                 (settings.demoModeEnabled ? QStringLiteral("on") : QStringLiteral("off")));
    lines.append(cFormat("Poll interval: %g s", settings.pollIntervalSeconds));
    lines.append(QStringLiteral("Notification style: ") +
                 NotificationStyles::title(settings.notificationStyle));
    lines.append(QStringLiteral("Sounds: ") +
                 (settings.soundsMuted ? QStringLiteral("muted") : QStringLiteral("on")));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray jsonLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

void print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace CliOutput
