#include "engine/app_state.h"

#include "engine/credential_validator.h"
#include "engine/goal_rules.h"
#include "engine/google_token_revoker.h"
#include "engine/metric_event_detector.h"
#include "engine/reaction_copy.h"
#include "engine/sound_player.h"
#include "model/c_format.h"
#include "model/clock.h"
#include "model/credential_accounts.h"
#include "model/currency_format.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "model/tavik_event_catalog.h"
#include "model/zing_error.h"
#include "providers/metric_provider.h"

#include <QPointer>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

constexpr double kMinimumPollIntervalSeconds = 15;
constexpr double kFirstPollLookbackSeconds = 120;
constexpr double kGoalCooldownSeconds = 60;

std::chrono::milliseconds pollInterval(double configuredSeconds) {
    // NaN would slip through max(); an absurdly long interval would overflow the timer.
    double seconds = std::isnan(configuredSeconds) ? kMinimumPollIntervalSeconds
                                                   : std::max(configuredSeconds, kMinimumPollIntervalSeconds);
    seconds = std::min(seconds, double(std::numeric_limits<int>::max()) / 1000.0);
    return std::chrono::milliseconds(qint64(seconds * 1000.0));
}

double secondsBetween(const QDateTime& from, const QDateTime& to) {
    return double(from.msecsTo(to)) / 1000.0;
}

} // namespace

AppState::AppState(const AppStateDependencies& dependencies, QObject* parent)
    : QObject(parent), m_deps(dependencies), m_reactionStore(dependencies.clock, this) {
    m_settings = m_deps.persistence.decodeSettings().value_or(AppSettings::defaults());
    m_goals = m_deps.persistence.decodeGoals().value_or(PersistenceManager::defaultGoals());
    m_triggers = m_deps.persistence.decodeTriggers().value_or(PersistenceManager::defaultTriggers());
    m_integrations = m_deps.persistence.loadIntegrations();
    // Detached: finishes at once unless a Google service is chosen, then once the keyring has answered.
    syncGoogleIntegrationState();
    // Views that watch only the engine must redraw when reactions come and go.
    QObject::connect(&m_reactionStore, &ReactionStore::reactionsChanged, this, &AppState::changed);
}

AppState::~AppState() {
    if (m_sleepTimer)
        m_deps.clock.cancel(*m_sleepTimer);
}

// ---- published fields ----

void AppState::publishSettings() {
    Q_EMIT settingsChanged();
    Q_EMIT changed();
}

void AppState::publishGoals() {
    Q_EMIT goalsChanged();
    Q_EMIT changed();
}

void AppState::publishIntegrations() {
    Q_EMIT integrationsChanged();
    Q_EMIT changed();
}

void AppState::publishSnapshots() {
    Q_EMIT snapshotsChanged();
    Q_EMIT changed();
}

void AppState::setSettings(const AppSettings& settings) {
    m_settings = settings;
    publishSettings();
}

void AppState::setGoals(const QList<Goal>& goals) {
    m_goals = goals;
    publishGoals();
}

void AppState::setTriggers(const QList<EventTrigger>& triggers) {
    m_triggers = triggers;
    Q_EMIT triggersChanged();
    Q_EMIT changed();
}

void AppState::setSelectedTab(MenuTab tab) {
    m_selectedTab = tab;
    Q_EMIT selectedTabChanged();
    Q_EMIT changed();
}

MetricProvider& AppState::providerObject(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        return m_deps.stripeProvider;
    case IntegrationProvider::googleAnalytics:
        return m_deps.gaProvider;
    case IntegrationProvider::datafast:
        return m_deps.datafastProvider;
    case IntegrationProvider::googleSearchConsole:
        return m_deps.gscProvider;
    case IntegrationProvider::demo:
        break;
    }
    return m_deps.demoProvider;
}

// ---- poll loop ----

void AppState::startPolling() {
    m_pollingStopped = false;
    if (m_sleepTimer) {
        m_deps.clock.cancel(*m_sleepTimer);
        m_sleepTimer.reset();
    }
    // A loop whose poll is still suspended sees the new generation when it resumes and ends there.
    runLoop(++m_loopGeneration);
}

void AppState::stopPolling() {
    m_pollingStopped = true;
    if (m_sleepTimer) {
        m_deps.clock.cancel(*m_sleepTimer);
        m_sleepTimer.reset();
    }
    // A loop whose poll is still suspended ends when it resumes.
    ++m_loopGeneration;
}

void AppState::runLoop(quint64 generation) {
    // Detached on purpose: the task destroys itself when it finishes.
    loopIteration(generation);
}

QCoro::Task<void> AppState::loopIteration(quint64 generation) {
    QPointer<AppState> self(this);
    co_await pollOnce();
    if (!self || generation != m_loopGeneration)
        co_return;
    m_sleepTimer =
        m_deps.clock.callAfter(pollInterval(m_settings.pollIntervalSeconds), this, [this, generation] {
            m_sleepTimer.reset();
            if (generation == m_loopGeneration)
                runLoop(generation);
        });
}

QList<MetricProvider*> AppState::pollProviders() const {
    QList<MetricProvider*> list;
    if (m_settings.demoModeEnabled)
        list.append(&m_deps.demoProvider);
    if (integration(IntegrationProvider::stripe).isConnected)
        list.append(&m_deps.stripeProvider);
    if (isProviderActive(IntegrationProvider::googleAnalytics))
        list.append(&m_deps.gaProvider);
    if (integration(IntegrationProvider::datafast).isConnected)
        list.append(&m_deps.datafastProvider);
    if (isProviderActive(IntegrationProvider::googleSearchConsole))
        list.append(&m_deps.gscProvider);
    return list;
}

QCoro::Task<void> AppState::pollOnce() {
    if (m_isPolling)
        co_return;
    m_isPolling = true;
    m_removedDuringPoll.clear();
    QPointer<AppState> self(this);

    // Only a chosen Google service depends on the sign-in; without one the poll need not wait on the keyring.
    if (hasChosenGoogleService()) {
        co_await refreshGoogleSignIn();
        if (!self)
            co_return;
    }
    const QList<MetricProvider*> providers = pollProviders();
    const QDateTime since =
        m_lastPollAt.value_or(m_deps.clock.now().addMSecs(qint64(-kFirstPollLookbackSeconds * 1000)));
    QMap<IntegrationProvider, MetricSnapshot> working = m_snapshots;
    std::optional<QString> errorText;

    for (MetricProvider* provider : providers) {
        if (m_pollingStopped)
            break;
        const IntegrationProvider key = provider->provider();
        // Removed (disconnected, demo off) while an earlier provider was awaited: the user no longer wants
        // it.
        if (m_removedDuringPoll.contains(key))
            continue;
        try {
            const MetricSnapshot snapshot = co_await provider->fetchMetrics();
            if (!self)
                co_return;
            if (m_pollingStopped)
                break;
            if (m_removedDuringPoll.contains(key))
                continue;

            std::optional<MetricSnapshot> comparison;
            if (auto baseline = m_metricBaselines.constFind(key); baseline != m_metricBaselines.constEnd())
                comparison = *baseline;
            else if (auto published = m_snapshots.constFind(key); published != m_snapshots.constEnd())
                comparison = *published;
            for (const ProviderEvent& event :
                 MetricEventDetector::detect(comparison, snapshot, m_deps.clock.now()))
                handleEvent(event);
            // Before the events call, so the baseline moves even when that call fails.
            m_metricBaselines.insert(key, snapshot);

            const QList<ProviderEvent> events = co_await provider->fetchEvents(since);
            if (!self)
                co_return;
            if (m_pollingStopped)
                break;
            if (m_removedDuringPoll.contains(key))
                continue;
            for (const ProviderEvent& event : events)
                handleEvent(event);
            working.insert(key, snapshot);
            evaluateGoals(snapshot);
        } catch (const std::exception& error) {
            if (!self)
                co_return;
            // The failure of a cancelled request is no error of the source.
            if (m_pollingStopped)
                break;
            // Its keys may be gone with it; a failure of a source just removed is no news.
            if (m_removedDuringPoll.contains(key))
                continue;
            if (!(m_settings.demoModeEnabled && key == IntegrationProvider::demo))
                errorText = IntegrationProviders::displayName(key) + QStringLiteral(": ") +
                            shortErrorText(describeError(error));
        } catch (...) {
            // Anything else must not end the poll either, or the guard would stay set and polling stop.
            if (!self)
                co_return;
            if (m_removedDuringPoll.contains(key))
                continue;
            if (!(m_settings.demoModeEnabled && key == IntegrationProvider::demo))
                errorText = IntegrationProviders::displayName(key) + QStringLiteral(": Unknown error.");
        }
    }

    if (m_pollingStopped) {
        // Stopped midway: the figures are incomplete, so nothing is published.
        m_removedDuringPoll.clear();
        m_isPolling = false;
        co_return;
    }

    if (!m_settings.demoModeEnabled) {
        working.remove(IntegrationProvider::demo);
        m_metricBaselines.remove(IntegrationProvider::demo);
    }
    for (IntegrationProvider removed : std::as_const(m_removedDuringPoll))
        working.remove(removed);
    m_removedDuringPoll.clear();

    if (m_goalsUnsaved) {
        m_goalsUnsaved = false;
        m_deps.persistence.encodeGoals(m_goals);
    }
    m_snapshots = working;
    publishSnapshots();
    m_lastPollAt = m_deps.clock.now();
    Q_EMIT lastPollAtChanged();
    Q_EMIT changed();
    m_lastError = errorText;
    Q_EMIT lastErrorChanged();
    Q_EMIT changed();
    m_isPolling = false;
    Q_EMIT pollFinished();
}

// ---- triggers ----

bool AppState::eventMatchesProvider(const EventTrigger& trigger, const ProviderEvent& event) const {
    const bool demoOn = m_settings.demoModeEnabled;
    if (trigger.provider == event.provider)
        return event.provider == IntegrationProvider::demo ? demoOn : isProviderActive(event.provider);
    if (demoOn && event.provider == IntegrationProvider::demo &&
        trigger.provider == IntegrationProvider::stripe)
        return event.stripeKind() != nullptr;
    return false;
}

void AppState::handleEvent(const ProviderEvent& event) {
    const TriggerEventKind kind = event.eventKind();
    // A copy: firing notifies observers, which may edit the list.
    const QList<EventTrigger> triggers = m_triggers;
    for (const EventTrigger& trigger : triggers) {
        if (!trigger.isEnabled || trigger.eventKind != kind || !eventMatchesProvider(trigger, event))
            continue;
        const QDateTime now = m_deps.clock.now();
        if (auto last = m_triggerCooldowns.constFind(trigger.id); last != m_triggerCooldowns.constEnd()) {
            if (secondsBetween(*last, now) < trigger.cooldownSeconds)
                continue;
        }
        m_triggerCooldowns.insert(trigger.id, now);
        const ReactionCopy copy = ReactionCopy::forEvent(event);
        fireReaction(trigger.reaction, copy.subtitle, copy.details);
    }
}

// ---- goals ----

void AppState::evaluateGoals(const MetricSnapshot& snapshot) {
    // A copy (shared, so free until written): firing notifies observers, which may edit the list.
    const QList<Goal> goals = m_goals;
    for (qsizetype index = 0; index < goals.size(); ++index) {
        const Goal& goal = goals.at(index);
        if (!goal.isEnabled || goal.provider != snapshot.provider)
            continue;
        const double current = snapshot.value(goal.metric);
        if (!GoalRules::isReached(goal.metric, current, goal.targetValue))
            continue;
        if (goal.period == GoalPeriod::today && GoalRules::firedToday(goal, m_deps.clock))
            continue;
        const QDateTime now = m_deps.clock.now();
        if (auto last = m_goalCooldowns.constFind(goal.id); last != m_goalCooldowns.constEnd()) {
            if (secondsBetween(*last, now) < kGoalCooldownSeconds)
                continue;
        }
        m_goalCooldowns.insert(goal.id, now);
        if (Goal* stored = storedGoal(goal.id, index)) {
            stored->lastTriggeredAt = now;
            // Saved once, when the poll ends.
            m_goalsUnsaved = true;
            publishGoals();
        }
        fireReaction(goal.reaction, goal.name,
                     ReactionDetails::forGoal(goal.metric, current, goal.targetValue, snapshot.currencyCode));
    }
}

Goal* AppState::storedGoal(const QUuid& id, qsizetype likelyIndex) {
    if (likelyIndex < m_goals.size() && m_goals.at(likelyIndex).id == id)
        return &m_goals[likelyIndex];
    for (Goal& goal : m_goals) {
        if (goal.id == id)
            return &goal;
    }
    return nullptr;
}

QList<Goal> AppState::todayGoals() const {
    return GoalRules::todayGoals(m_goals);
}

QList<GoalProgressItem> AppState::progressItems() const {
    return GoalRules::progressItems(m_goals, m_snapshots, m_deps.clock);
}

double AppState::overallFraction() const {
    return GoalRules::overallFraction(progressItems());
}

int AppState::completedCount() const {
    return GoalRules::completedCount(progressItems());
}

// ---- reactions ----

void AppState::fireReaction(const ReactionConfig& config, const QString& subtitle,
                            const std::optional<ReactionDetails>& details) {
    const double intensity = m_settings.notificationStyle == NotificationStyle::subtle ? 0.45 : 1.0;
    m_deps.soundPlayer.play(config.sound, intensity);
    m_reactionStore.append(config, subtitle, details, m_settings.reactionDurationSeconds);
}

void AppState::testReaction(const ReactionConfig& config, const std::optional<QString>& subtitle,
                            const std::optional<ReactionDetails>& details, const std::optional<Goal>& goal,
                            const std::optional<EventTrigger>& trigger) {
    if (trigger) {
        const ReactionDetails demo = ReactionDetails::demo(trigger->eventKind, m_deps.random);
        const TavikEventDefinition& definition = TavikEventCatalog::definition(trigger->eventKind);
        QString text;
        switch (definition.reactionContext) {
        case ReactionContext::purchase:
        case ReactionContext::subscription:
        case ReactionContext::whale:
            text = demo.buyerLine.value_or(demo.headline.value_or(QStringLiteral("Test purchase reaction")));
            break;
        case ReactionContext::dispute:
        case ReactionContext::failed:
            text = demo.headline.value_or(demo.productLine.value_or(definition.displayName));
            break;
        case ReactionContext::refund:
            text = demo.buyerLine.value_or(QStringLiteral("Test refund reaction"));
            break;
        default:
            text = definition.displayName + QStringLiteral(" \u2014 test");
            break;
        }
        fireReaction(config, text, demo);
        return;
    }
    if (goal) {
        fireReaction(config, goal->name,
                     ReactionDetails::forGoal(goal->metric, goal->targetValue, goal->targetValue,
                                              currencyCode(goal->provider)));
        return;
    }
    if (details) {
        const QString text = subtitle.value_or(
            details->buyerLine.value_or(details->headline.value_or(QStringLiteral("Test reaction"))));
        fireReaction(config, text, details);
        return;
    }
    ReactionDetails preview;
    preview.context = ReactionContext::test;
    preview.metricLabel = QStringLiteral("Preview");
    fireReaction(config, subtitle.value_or(QStringLiteral("Test reaction \u2014 looking good!")), preview);
}

// ---- integrations ----

IntegrationConnection AppState::integration(IntegrationProvider provider) const {
    for (const IntegrationConnection& connection : m_integrations) {
        if (connection.provider == provider)
            return connection;
    }
    return IntegrationConnection::disconnected(provider);
}

bool AppState::hasChosenGoogleService() const {
    const GoogleIntegrationMetadata& google = m_settings.googleIntegration;
    return google.gaPropertyId.has_value() || google.gscSiteUrl.has_value();
}

QCoro::Task<void> AppState::refreshGoogleSignIn() {
    QPointer<AppState> self(this);
    const std::optional<QString> token =
        co_await m_deps.keychain.load(CredentialAccounts::googleRefreshToken());
    if (!self)
        co_return;
    const bool signedIn = token && !token->isEmpty();
    if (signedIn == m_googleSignedIn)
        co_return;
    m_googleSignedIn = signedIn;
    Q_EMIT googleSignInChanged();
    Q_EMIT changed();
}

bool AppState::isProviderActive(IntegrationProvider provider) const {
    switch (provider) {
    case IntegrationProvider::stripe:
    case IntegrationProvider::datafast:
        return integration(provider).isConnected;
    case IntegrationProvider::googleAnalytics:
        return hasGoogleSignIn() && m_settings.googleIntegration.gaPropertyId.has_value() &&
               integration(provider).isConnected;
    case IntegrationProvider::googleSearchConsole:
        return hasGoogleSignIn() && m_settings.googleIntegration.gscSiteUrl.has_value() &&
               integration(provider).isConnected;
    case IntegrationProvider::demo:
        return m_settings.demoModeEnabled;
    }
    return false;
}

int AppState::connectedSourceCount() const {
    int count = 0;
    if (integration(IntegrationProvider::stripe).isConnected)
        ++count;
    if (isProviderActive(IntegrationProvider::googleAnalytics) ||
        isProviderActive(IntegrationProvider::googleSearchConsole))
        ++count;
    if (integration(IntegrationProvider::datafast).isConnected)
        ++count;
    return count;
}

void AppState::updateIntegration(IntegrationProvider provider, bool connected, const QString& label) {
    for (IntegrationConnection& connection : m_integrations) {
        if (connection.provider == provider) {
            connection.isConnected = connected;
            connection.label = label;
            connection.configuredAt = connected ? std::optional<QDateTime>(m_deps.clock.now()) : std::nullopt;
            publishIntegrations();
            return;
        }
    }
}

void AppState::removeSnapshot(IntegrationProvider provider) {
    m_snapshots.remove(provider);
    if (m_isPolling)
        m_removedDuringPoll.insert(provider);
    publishSnapshots();
}

QCoro::Task<void> AppState::connectProvider(IntegrationProvider provider, QString label) {
    QPointer<AppState> self(this);
    KeychainStore& keychain = m_deps.keychain;
    bool stored = false;
    if (provider == IntegrationProvider::stripe) {
        const std::optional<QString> key = co_await keychain.load(CredentialAccounts::stripeSecretKey());
        stored = key.has_value();
    } else if (provider == IntegrationProvider::datafast) {
        const std::optional<QString> key = co_await keychain.load(CredentialAccounts::datafastApiKey());
        if (key) {
            const std::optional<QString> site =
                co_await keychain.load(CredentialAccounts::datafastWebsiteId());
            stored = site.has_value();
        }
    }
    if (!self)
        co_return;
    if (stored) {
        co_await m_deps.credentialValidator.validate(provider);
        if (!self)
            co_return;
    }
    updateIntegration(provider, true, label);
    if (provider == IntegrationProvider::stripe)
        m_deps.stripeProvider.resetEventsState();
    saveAll();
}

QCoro::Task<void> AppState::disconnectProvider(IntegrationProvider provider) {
    KeychainStore& keychain = m_deps.keychain;
    updateIntegration(provider, false, QString());
    if (provider == IntegrationProvider::stripe)
        m_deps.stripeProvider.resetEventsState();
    // The baseline stays: reconnecting compares against it.
    removeSnapshot(provider);
    saveAll();
    // The keyring runs its calls in order, so a key stored after this call is not deleted by it.
    co_await keychain.deleteAll(provider);
}

QCoro::Task<void> AppState::disconnectGoogle() {
    QPointer<AppState> self(this);
    KeychainStore& keychain = m_deps.keychain;
    const std::optional<QString> refreshToken =
        co_await keychain.load(CredentialAccounts::googleRefreshToken());
    if (refreshToken) {
        if (!self)
            co_return;
        try {
            co_await m_deps.googleTokenRevoker.revoke();
        } catch (const std::exception&) {
            // Signing out locally goes ahead whatever Google answered.
        }
        if (!self)
            co_return;
    }
    const QList<QString> accounts{CredentialAccounts::googleAccessToken(),
                                  CredentialAccounts::googleRefreshToken(),
                                  CredentialAccounts::googleAccessTokenExpiresAt(),
                                  CredentialAccounts::ga4PropertyId(), CredentialAccounts::gscSiteUrl()};
    for (const QString& account : accounts) {
        co_await keychain.remove(account);
        if (!self)
            co_return;
    }
    if (m_googleSignedIn) {
        m_googleSignedIn = false;
        Q_EMIT googleSignInChanged();
    }
    m_settings.googleIntegration = GoogleIntegrationMetadata{};
    publishSettings();
    updateIntegration(IntegrationProvider::googleAnalytics, false, QString());
    updateIntegration(IntegrationProvider::googleSearchConsole, false, QString());
    removeSnapshot(IntegrationProvider::googleAnalytics);
    removeSnapshot(IntegrationProvider::googleSearchConsole);
    saveAll();
}

QCoro::Task<void> AppState::syncGoogleIntegrationState() {
    QPointer<AppState> self(this);
    KeychainStore& keychain = m_deps.keychain;
    // Without a chosen service nothing here depends on the sign-in, and the keyring is left alone (a locked
    // one would ask for its password at login); the Google panel reads it when it opens.
    if (hasChosenGoogleService()) {
        co_await refreshGoogleSignIn();
        if (!self)
            co_return;
    }
    const bool signedIn = m_googleSignedIn;
    const GoogleIntegrationMetadata google = m_settings.googleIntegration;
    if (google.gaPropertyId && signedIn)
        updateIntegration(IntegrationProvider::googleAnalytics, true,
                          google.gaPropertyName.value_or(*google.gaPropertyId));
    else
        updateIntegration(IntegrationProvider::googleAnalytics, false, QString());
    if (google.gscSiteUrl && signedIn)
        updateIntegration(IntegrationProvider::googleSearchConsole, true, *google.gscSiteUrl);
    else
        updateIntegration(IntegrationProvider::googleSearchConsole, false, QString());
    saveAll();
    if (google.gaPropertyId && signedIn) {
        co_await keychain.save(*google.gaPropertyId, CredentialAccounts::ga4PropertyId());
        if (!self)
            co_return;
    }
    if (google.gscSiteUrl && signedIn)
        co_await keychain.save(*google.gscSiteUrl, CredentialAccounts::gscSiteUrl());
}

void AppState::setDemoModeEnabled(bool enabled) {
    if (m_settings.demoModeEnabled == enabled)
        return;
    m_settings.demoModeEnabled = enabled;
    publishSettings();
    if (!enabled) {
        m_metricBaselines.remove(IntegrationProvider::demo);
        removeSnapshot(IntegrationProvider::demo);
    }
    saveAll();
}

// ---- saving and title ----

void AppState::saveAll() {
    m_deps.persistence.encodeSettings(m_settings);
    m_deps.persistence.encodeGoals(m_goals);
    m_deps.persistence.encodeTriggers(m_triggers);
    m_deps.persistence.encodeIntegrations(m_integrations);
}

QString AppState::currencyCode(IntegrationProvider provider) const {
    const auto snapshot = m_snapshots.constFind(provider);
    return snapshot == m_snapshots.constEnd() ? CurrencyFormat::defaultCode() : snapshot->currencyCode;
}

QString AppState::menuBarTitle() const {
    if (!m_settings.showMenuBarMetric || !m_settings.preferredMenuBarMetric)
        return QString();
    const MetricKind metric = *m_settings.preferredMenuBarMetric;
    for (auto it = m_snapshots.constBegin(); it != m_snapshots.constEnd(); ++it) {
        if (it.key() == IntegrationProvider::demo && !m_settings.demoModeEnabled)
            continue;
        const auto value = it->values.constFind(metric);
        if (value == it->values.constEnd())
            continue;
        const bool money = metric == MetricKind::revenueToday || metric == MetricKind::revenue7d;
        // Halves round up (1234.5 shows 1235); printf alone would round them to even. Adding 0 turns -0 into
        // 0.
        const double whole = std::round(*value) + 0.0;
        return money ? CurrencyFormat::format(whole, it->currencyCode) : cFormat("%.0f", whole);
    }
    return QString();
}
