#include "model/persistence_manager.h"

#include "model/default_rules.h"
#include "model/json_conventions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <algorithm>

namespace {

std::optional<QJsonDocument> parse(const QByteArray& bytes) {
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return document;
}

// One bad record fails the whole list.
template <typename T> std::optional<QList<T>> listFromBytes(const QByteArray& bytes) {
    const auto document = parse(bytes);
    if (!document || !document->isArray())
        return std::nullopt;
    const QJsonArray array = document->array();
    QList<T> result;
    result.reserve(array.size());
    for (const QJsonValue& element : array) {
        auto record = T::fromJson(element);
        if (!record)
            return std::nullopt;
        result.append(std::move(*record));
    }
    return result;
}

template <typename T> QByteArray listToBytes(const QList<T>& records) {
    QJsonArray array;
    for (const T& record : records)
        array.append(record.toJson());
    return JsonConventions::compact(array);
}

QString unreadablePrefix(const QString& key) {
    return key + QStringLiteral(".unreadable-");
}

// The moment and the same-second counter of a kept copy's key; ordering by them is oldest first.
struct CopyName {
    QString key;
    QString stamp;
    int sequence = 0;
};

std::optional<CopyName> parseCopyName(const QString& documentKey, const QString& key) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8}T\\d{6})(?:-(\\d{1,4}))?$"));
    const QString prefix = unreadablePrefix(documentKey);
    if (!key.startsWith(prefix))
        return std::nullopt;
    const auto match = pattern.match(QStringView(key).mid(prefix.size()));
    if (!match.hasMatch())
        return std::nullopt;
    return CopyName{key, match.captured(1), match.captured(2).isEmpty() ? 0 : match.captured(2).toInt()};
}

} // namespace

PersistenceManager::PersistenceManager(PreferencesStore& store, Clock& clock)
    : m_store(store), m_clock(clock) {}

QString PersistenceManager::settingsKey() {
    return QStringLiteral("zingboard.settings");
}
QString PersistenceManager::goalsKey() {
    return QStringLiteral("zingboard.goals");
}
QString PersistenceManager::triggersKey() {
    return QStringLiteral("zingboard.triggers");
}
QString PersistenceManager::integrationsKey() {
    return QStringLiteral("zingboard.integrations");
}

std::optional<AppSettings> PersistenceManager::settingsFromBytes(const QByteArray& bytes) {
    const auto document = parse(bytes);
    if (!document || !document->isObject())
        return std::nullopt;
    return AppSettings::fromJson(document->object());
}

std::optional<QList<Goal>> PersistenceManager::goalsFromBytes(const QByteArray& bytes) {
    return listFromBytes<Goal>(bytes);
}

std::optional<QList<EventTrigger>> PersistenceManager::triggersFromBytes(const QByteArray& bytes) {
    return listFromBytes<EventTrigger>(bytes);
}

std::optional<QList<IntegrationConnection>>
PersistenceManager::integrationsFromBytes(const QByteArray& bytes) {
    return listFromBytes<IntegrationConnection>(bytes);
}

std::optional<AppSettings> PersistenceManager::decodeSettings() {
    const auto bytes = m_store.value(settingsKey());
    return bytes ? settingsFromBytes(*bytes) : std::nullopt;
}

std::optional<QList<Goal>> PersistenceManager::decodeGoals() {
    const auto bytes = m_store.value(goalsKey());
    return bytes ? goalsFromBytes(*bytes) : std::nullopt;
}

std::optional<QList<EventTrigger>> PersistenceManager::decodeTriggers() {
    const auto bytes = m_store.value(triggersKey());
    return bytes ? triggersFromBytes(*bytes) : std::nullopt;
}

QList<IntegrationConnection> PersistenceManager::loadIntegrations() {
    const auto bytes = m_store.value(integrationsKey());
    if (bytes) {
        if (auto stored = integrationsFromBytes(*bytes))
            return *stored;
    }
    return defaultIntegrations();
}

QList<IntegrationConnection> PersistenceManager::defaultIntegrations() {
    QList<IntegrationConnection> result;
    for (IntegrationProvider provider : IntegrationProviders::allCases()) {
        if (provider != IntegrationProvider::demo)
            result.append(IntegrationConnection::disconnected(provider));
    }
    return result;
}

QList<Goal> PersistenceManager::defaultGoals() {
    return DefaultRules::defaultGoals();
}

QList<EventTrigger> PersistenceManager::defaultTriggers() {
    return DefaultRules::defaultTriggers();
}

void PersistenceManager::encodeSettings(const AppSettings& settings) {
    store(settingsKey(), JsonConventions::compact(settings.toJson()),
          [](const QByteArray& b) { return settingsFromBytes(b).has_value(); });
}

void PersistenceManager::encodeGoals(const QList<Goal>& goals) {
    store(goalsKey(), listToBytes(goals), [](const QByteArray& b) { return goalsFromBytes(b).has_value(); });
}

void PersistenceManager::encodeTriggers(const QList<EventTrigger>& triggers) {
    store(triggersKey(), listToBytes(triggers),
          [](const QByteArray& b) { return triggersFromBytes(b).has_value(); });
}

void PersistenceManager::encodeIntegrations(const QList<IntegrationConnection>& connections) {
    store(integrationsKey(), listToBytes(connections),
          [](const QByteArray& b) { return integrationsFromBytes(b).has_value(); });
}

void PersistenceManager::store(const QString& key, const QByteArray& bytes, const Decodes& decodes) {
    // A value JSON cannot carry (a NaN or infinite number) would come out as null and cost the user the whole
    // document at the next start; such an encoding counts as failed and nothing is written.
    if (!decodes(bytes))
        return;
    if (m_store.contains(key)) {
        const auto current = m_store.value(key);
        // An unchanged document is not written again.
        if (current && *current == bytes)
            return;
        // What this manager wrote last is known to decode; anything else is checked.
        const auto written = m_written.constFind(key);
        const bool unreadable =
            !current || ((written == m_written.constEnd() || *written != *current) && !decodes(*current));
        // Without a kept copy the old document stays where it is.
        if (unreadable && !keepUnreadable(key))
            return;
    }
    if (m_store.setValue(key, bytes))
        m_written.insert(key, bytes);
}

bool PersistenceManager::keepUnreadable(const QString& key) {
    const QString stamp = m_clock.now().toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
    QList<CopyName> copies;
    for (const QString& existing : m_store.keys()) {
        if (auto name = parseCopyName(key, existing))
            copies.append(*name);
    }

    // Two copies within one second get a counter rather than overwriting each other.
    int sequence = 0;
    for (const CopyName& copy : copies) {
        if (copy.stamp == stamp)
            sequence = std::max(sequence, copy.sequence + 1);
    }
    const QString copyKey = unreadablePrefix(key) + stamp +
                            (sequence == 0 ? QString() : QLatin1Char('-') + QString::number(sequence));
    if (!m_store.copyValue(key, copyKey))
        return false;

    // The copy just made is never the one removed, even when the clock was set back.
    std::sort(copies.begin(), copies.end(), [](const CopyName& a, const CopyName& b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.sequence < b.sequence;
    });
    const qsizetype excess = copies.size() + 1 - maximumUnreadableCopies;
    for (qsizetype i = 0; i < excess && i < copies.size(); ++i)
        m_store.remove(copies.at(i).key);
    return true;
}
