#pragma once

#include "engine/app_state_dependencies.h"
#include "engine/goal_progress_item.h"
#include "engine/menu_tab.h"
#include "engine/reaction_details.h"
#include "engine/reaction_store.h"
#include "model/app_settings.h"
#include "model/event_trigger.h"
#include "model/goal.h"
#include "model/integration_connection.h"
#include "model/metric_snapshot.h"
#include "providers/provider_event.h"

#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QUuid>
#include <optional>

class MetricProvider;

// The one engine object: the user's records, the latest snapshots, the poll loop, goal and trigger
// evaluation and the reactions they fire. Lives on the main thread; every published field has its own change
// signal and also emits changed().
class AppState : public QObject {
    Q_OBJECT
    // The demo switch as a two-way binding: writing goes through setDemoModeEnabled.
    Q_PROPERTY(bool demoModeEnabled READ demoModeEnabled WRITE setDemoModeEnabled NOTIFY settingsChanged)
public:
    using MenuTab = ::MenuTab;

    // Loads the four stored documents (defaults for what is missing or unreadable), aligns the Google records
    // and saves. Does not start polling.
    explicit AppState(const AppStateDependencies& dependencies, QObject* parent = nullptr);
    ~AppState() override;

    // Published fields. Screens edit settings, goals and triggers through the setters, then call saveAll().
    const AppSettings& settings() const { return m_settings; }
    void setSettings(const AppSettings& settings);
    const QList<Goal>& goals() const { return m_goals; }
    void setGoals(const QList<Goal>& goals);
    const QList<EventTrigger>& triggers() const { return m_triggers; }
    void setTriggers(const QList<EventTrigger>& triggers);
    const QList<IntegrationConnection>& integrations() const { return m_integrations; }
    // Latest successful snapshot per provider; iteration follows the provider order.
    const QMap<IntegrationProvider, MetricSnapshot>& snapshots() const { return m_snapshots; }
    const std::optional<QDateTime>& lastPollAt() const { return m_lastPollAt; }
    const std::optional<QString>& lastError() const { return m_lastError; }
    MenuTab selectedTab() const { return m_selectedTab; }
    void setSelectedTab(MenuTab tab);

    ReactionStore& reactionStore() { return m_reactionStore; }
    const ReactionStore& reactionStore() const { return m_reactionStore; }

    // Polls at once, then every max(pollIntervalSeconds, 15) seconds, re-reading the interval after each
    // poll. Calling it again restarts the cycle with an immediate poll.
    void startPolling();
    // Ends polling: no further poll starts, and a poll in flight fetches nothing more and publishes nothing
    // once what it waits for returns (whoever owns the network cancels that, see AppContext::shutdown()).
    // startPolling() starts again.
    void stopPolling();
    // One pass over the active providers. Returns at once, changing nothing, while another poll runs.
    QCoro::Task<void> pollOnce();
    bool isPolling() const { return m_isPolling; }

    // Writes settings, goals, triggers and integrations, in that order.
    void saveAll();
    // The preferred metric as the menu-bar title; empty when there is nothing to show.
    QString menuBarTitle() const;
    // The currency of the provider's money figures: its latest snapshot's (for goal values and previews).
    QString currencyCode(IntegrationProvider provider) const;

    IntegrationConnection integration(IntegrationProvider provider) const;
    // From the integration records and the last known Google sign-in; never reads the keyring.
    bool isProviderActive(IntegrationProvider provider) const;
    // Whether a Google refresh token was stored when the keyring was last read (at launch and at each poll
    // when a Google service is chosen, after sign-in and sign-out, and when the Google panel opens). A yes/no
    // only: the token itself is read at each use.
    bool hasGoogleSignIn() const { return m_googleSignedIn; }
    // Reads the keyring again; emits googleSignInChanged() when the answer differs.
    QCoro::Task<void> refreshGoogleSignIn();
    // Stripe, Google (once for both products) and Datafast; the demo source does not count.
    int connectedSourceCount() const;

    // Checks the credentials the connect panel just stored, then marks the provider connected. Throws the
    // check's ZingError and changes nothing when it fails.
    QCoro::Task<void> connectProvider(IntegrationProvider provider, QString label);
    // The records change at once; the keyring items are deleted when the task ends.
    QCoro::Task<void> disconnectProvider(IntegrationProvider provider);
    QCoro::Task<void> disconnectGoogle();
    // Aligns the two Google records with the stored sign-in and the chosen property and site, then saves.
    QCoro::Task<void> syncGoogleIntegrationState();

    bool demoModeEnabled() const { return m_settings.demoModeEnabled; }
    void setDemoModeEnabled(bool enabled);

    void fireReaction(const ReactionConfig& config, const QString& subtitle,
                      const std::optional<ReactionDetails>& details);
    // Preview buttons: fires at once, bypassing cooldowns, and saves nothing.
    void testReaction(const ReactionConfig& config, const std::optional<QString>& subtitle = std::nullopt,
                      const std::optional<ReactionDetails>& details = std::nullopt,
                      const std::optional<Goal>& goal = std::nullopt,
                      const std::optional<EventTrigger>& trigger = std::nullopt);

    // Dashboard figures, computed from goals and snapshots each time.
    QList<Goal> todayGoals() const;
    QList<GoalProgressItem> progressItems() const;
    double overallFraction() const;
    int completedCount() const;

    // In-memory bookkeeping, read-only (inspection and tests).
    const QMap<IntegrationProvider, MetricSnapshot>& metricBaselines() const { return m_metricBaselines; }
    const QHash<QUuid, QDateTime>& triggerCooldowns() const { return m_triggerCooldowns; }
    const QHash<QUuid, QDateTime>& goalCooldowns() const { return m_goalCooldowns; }

    // For the parts that extend the engine (demo simulations, shell).
    KeychainStore& keychain() { return m_deps.keychain; }
    Clock& clock() { return m_deps.clock; }
    RandomSource& random() { return m_deps.random; }
    // Sound previews of the editors play through the engine's player.
    SoundPlayer& soundPlayer() { return m_deps.soundPlayer; }
    MetricProvider& providerObject(IntegrationProvider provider);

Q_SIGNALS:
    void settingsChanged();
    void goalsChanged();
    void triggersChanged();
    void integrationsChanged();
    void snapshotsChanged();
    void lastPollAtChanged();
    void lastErrorChanged();
    void selectedTabChanged();
    void googleSignInChanged();
    // Any of the above, or the reactions on screen.
    void changed();
    // After a poll published its results (not after one that returned at once).
    void pollFinished();

private:
    void runLoop(quint64 generation);
    QCoro::Task<void> loopIteration(quint64 generation);
    QList<MetricProvider*> pollProviders() const;
    void handleEvent(const ProviderEvent& event);
    bool eventMatchesProvider(const EventTrigger& trigger, const ProviderEvent& event) const;
    void evaluateGoals(const MetricSnapshot& snapshot);
    // The goal with `id`, looked for at `likelyIndex` first.
    Goal* storedGoal(const QUuid& id, qsizetype likelyIndex);
    void updateIntegration(IntegrationProvider provider, bool connected, const QString& label);
    void removeSnapshot(IntegrationProvider provider);
    bool hasChosenGoogleService() const;

    void publishSettings();
    void publishGoals();
    void publishIntegrations();
    void publishSnapshots();

    AppStateDependencies m_deps;
    AppSettings m_settings;
    QList<Goal> m_goals;
    QList<EventTrigger> m_triggers;
    QList<IntegrationConnection> m_integrations;
    QMap<IntegrationProvider, MetricSnapshot> m_snapshots;
    std::optional<QDateTime> m_lastPollAt;
    std::optional<QString> m_lastError;
    bool m_googleSignedIn = false;
    MenuTab m_selectedTab = MenuTab::dashboard;
    ReactionStore m_reactionStore;

    QHash<QUuid, QDateTime> m_triggerCooldowns;
    QHash<QUuid, QDateTime> m_goalCooldowns;
    QMap<IntegrationProvider, MetricSnapshot> m_metricBaselines;
    // Snapshots removed (disconnect, demo off) while a poll was suspended; that poll must not bring them
    // back.
    QSet<IntegrationProvider> m_removedDuringPoll;
    bool m_isPolling = false;
    bool m_pollingStopped = false;
    // A goal fired during the running poll; its document is written when the poll ends.
    bool m_goalsUnsaved = false;
    quint64 m_loopGeneration = 0;
    std::optional<quint64> m_sleepTimer;
};
