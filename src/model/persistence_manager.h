#pragma once

#include "model/app_settings.h"
#include "model/clock.h"
#include "model/event_trigger.h"
#include "model/goal.h"
#include "model/integration_connection.h"
#include "model/preferences_store.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Reads and writes the four stored documents. Every failure is silent: a document that does not decode reads
// as nothing, a document that cannot be encoded or stored is not written.
//
// Before a save replaces a document that does not decode, the old bytes are kept beside it as
// `<key>.unreadable-<UTC yyyyMMddTHHmmss>` (the newest five per key), so a bad edit or a newer version's
// format never silently costs the user their rules.
class PersistenceManager {
public:
    static constexpr int maximumUnreadableCopies = 5;

    PersistenceManager(PreferencesStore& store, Clock& clock);

    static QString settingsKey();
    static QString goalsKey();
    static QString triggersKey();
    static QString integrationsKey();

    std::optional<AppSettings> decodeSettings();
    std::optional<QList<Goal>> decodeGoals();
    std::optional<QList<EventTrigger>> decodeTriggers();
    // The stored list, or one disconnected record per provider except demo.
    QList<IntegrationConnection> loadIntegrations();

    void encodeSettings(const AppSettings& settings);
    void encodeGoals(const QList<Goal>& goals);
    void encodeTriggers(const QList<EventTrigger>& triggers);
    void encodeIntegrations(const QList<IntegrationConnection>& connections);

    static QList<Goal> defaultGoals();
    static QList<EventTrigger> defaultTriggers();
    static QList<IntegrationConnection> defaultIntegrations();

    // Pure decoders of a document's bytes, shared by reading and by the check before overwriting.
    static std::optional<AppSettings> settingsFromBytes(const QByteArray& bytes);
    static std::optional<QList<Goal>> goalsFromBytes(const QByteArray& bytes);
    static std::optional<QList<EventTrigger>> triggersFromBytes(const QByteArray& bytes);
    static std::optional<QList<IntegrationConnection>> integrationsFromBytes(const QByteArray& bytes);

private:
    using Decodes = std::function<bool(const QByteArray&)>;
    void store(const QString& key, const QByteArray& bytes, const Decodes& decodes);
    bool keepUnreadable(const QString& key);

    PreferencesStore& m_store;
    Clock& m_clock;
    // The bytes last written per key.
    QHash<QString, QByteArray> m_written;
};
