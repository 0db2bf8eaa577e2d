// One engine poll of five providers (every metric) against 100 goals and 100 triggers, with 10 events (a
// typical poll) and with 500, beside a floor that evaluates the same rules over the same snapshots and events
// with nothing fired and nothing saved. Prints each poll's time against its floor.

#include "engine/app_state.h"
#include "engine/goal_rules.h"
#include "engine/metric_event_detector.h"
#include "engine/silent_sound_player.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "model/tavik_event_catalog.h"
#include "support/fake_clock.h"
#include "support/fake_credential_validator.h"
#include "support/fake_google_token_revoker.h"
#include "support/fake_metric_provider.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/scripted_random_source.h"

#include <QCoreApplication>
#include <QCoroTask>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

using P = IntegrationProvider;

constexpr int kTypicalEvents = 10;
constexpr int kBusyEvents = 500;
constexpr int kRules = 100;

QHash<MetricKind, double> allMetrics(double base) {
    QHash<MetricKind, double> values;
    for (MetricKind kind : MetricKinds::allCases())
        values.insert(kind,
                      kind == MetricKind::avgPosition ? 50.0 - base / 1000.0 : base + double(int(kind)));
    return values;
}

// A provider's events: Stripe kinds for Stripe and the demo source, metric rises for the others.
QList<ProviderEvent> eventsFor(P provider, int count, const QDateTime& at) {
    QList<ProviderEvent> events;
    const QList<TavikEventDefinition> rows =
        TavikEventCatalog::available(provider == P::demo ? P::stripe : provider);
    for (int i = 0; i < count; ++i) {
        const TavikEventDefinition& row = rows.at(i % rows.size());
        if (row.isInstantStripeEvent) {
            StripeTransactionDetails tx;
            tx.amountCents = 1000 + i;
            tx.chargeId = QStringLiteral("ch_%1").arg(i);
            tx.customerEmail = QStringLiteral("buyer%1@example.com").arg(i);
            events.append(ProviderEvent::stripe(provider, row.kind, tx, at));
        } else if (row.metricKind) {
            events.append(ProviderEvent::metricIncrease(
                provider, MetricIncreaseEvent{row.kind, *row.metricKind, 2, 100, false}, at));
        }
    }
    return events;
}

struct Bench {
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    FakeMetricProvider demo{P::demo}, stripe{P::stripe}, ga{P::googleAnalytics}, datafast{P::datafast},
        gsc{P::googleSearchConsole};
    ScriptedRandomSource random;
    SilentSoundPlayer sound;
    FakeCredentialValidator validator;
    FakeGoogleTokenRevoker revoker;
    std::unique_ptr<AppState> engine;
    QList<FakeMetricProvider*> providers{&demo, &stripe, &ga, &datafast, &gsc};
    QMap<P, QList<ProviderEvent>> events;
    double level = 1000;

    explicit Bench(int totalEvents) {
        AppSettings settings = AppSettings::defaults();
        settings.demoModeEnabled = true;
        settings.googleIntegration.gaPropertyId = QStringLiteral("properties/1");
        settings.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
        persistence.encodeSettings(settings);
        credentials.put(CredentialAccounts::googleRefreshToken(), QByteArrayLiteral("refresh"));
        QList<IntegrationConnection> connections = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& c : connections)
            c.isConnected = true;
        persistence.encodeIntegrations(connections);

        QList<Goal> goals;
        QList<EventTrigger> triggers;
        const QList<P> real = {P::stripe, P::googleAnalytics, P::datafast, P::googleSearchConsole};
        for (int i = 0; i < kRules; ++i) {
            const P provider = real.at(i % real.size());
            const QList<MetricKind>& metrics = MetricKinds::available(provider);
            Goal goal;
            goal.id = QUuid::createUuid();
            goal.name = QStringLiteral("goal %1").arg(i);
            goal.provider = provider;
            goal.metric = metrics.at(i % metrics.size());
            goal.targetValue = i % 2 ? 1e12 : 10; // half of them reached
            goal.period = i % 5 ? GoalPeriod::today : GoalPeriod::rolling7d;
            goal.reaction =
                ReactionConfig{QStringLiteral("G"), SoundEffect::applause, QStringLiteral("goal")};
            goals.append(goal);

            const TavikEventDefinition& row =
                TavikEventCatalog::all().at(i % TavikEventCatalog::all().size());
            EventTrigger trigger;
            trigger.id = QUuid::createUuid();
            trigger.name = QStringLiteral("trigger %1").arg(i);
            trigger.provider = row.provider;
            trigger.eventKind = row.kind;
            trigger.reaction = row.defaultReaction;
            trigger.cooldownSeconds = 3;
            triggers.append(trigger);
        }
        persistence.encodeGoals(goals);
        persistence.encodeTriggers(triggers);

        engine =
            std::make_unique<AppState>(AppStateDependencies{persistence, keychain, demo, stripe, ga, datafast,
                                                            gsc, clock, random, sound, validator, revoker});
        for (FakeMetricProvider* p : providers)
            events.insert(p->provider(),
                          eventsFor(p->provider(), totalEvents / int(providers.size()), clock.now()));
    }

    // What the next poll will be handed; not timed.
    void script() {
        level += 5;
        for (FakeMetricProvider* p : providers) {
            p->queueMetrics(allMetrics(level));
            p->queueEvents(events.value(p->provider()));
        }
    }
    // Lets cooldowns lapse and shown reactions leave, as between real polls; not timed.
    void between() { clock.advanceSeconds(30); }
};

Bench& bench(int totalEvents) {
    static std::map<int, std::unique_ptr<Bench>> instances;
    std::unique_ptr<Bench>& instance = instances[totalEvents];
    if (!instance)
        instance = std::make_unique<Bench>(totalEvents);
    return *instance;
}

void BM_Poll(benchmark::State& state) {
    Bench& b = bench(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        b.between();
        b.script();
        state.ResumeTiming();
        // The poll reads the Google sign-in from the keyring's worker thread, as the program does.
        QCoro::waitFor(b.engine->pollOnce());
    }
    state.SetItemsProcessed(state.iterations());
}

// What any poll must do: detect the rises against the previous figures and match every event against the
// triggers and every snapshot against the goals, cooldowns included; nothing is fired or saved.
void BM_Floor(benchmark::State& state) {
    Bench& b = bench(int(state.range(0)));
    const QList<EventTrigger> triggers = b.engine->triggers();
    const QList<Goal> goals = b.engine->goals();
    QMap<P, MetricSnapshot> previous;
    QHash<QUuid, QDateTime> triggerCooldowns;
    QHash<QUuid, QDateTime> goalCooldowns;
    for (auto _ : state) {
        state.PauseTiming();
        b.between();
        b.level += 5;
        state.ResumeTiming();
        const QDateTime now = b.clock.now();
        int matched = 0;
        for (FakeMetricProvider* p : b.providers) {
            MetricSnapshot snapshot;
            snapshot.provider = p->provider();
            snapshot.values = allMetrics(b.level);
            QList<ProviderEvent> events =
                MetricEventDetector::detect(previous.value(snapshot.provider), snapshot, now);
            events += b.events.value(snapshot.provider);
            for (const ProviderEvent& event : std::as_const(events)) {
                const TriggerEventKind kind = event.eventKind();
                for (const EventTrigger& trigger : triggers) {
                    if (!trigger.isEnabled || trigger.eventKind != kind || trigger.provider != event.provider)
                        continue;
                    const auto last = triggerCooldowns.constFind(trigger.id);
                    if (last != triggerCooldowns.constEnd() && last->secsTo(now) < trigger.cooldownSeconds)
                        continue;
                    triggerCooldowns.insert(trigger.id, now);
                    ++matched;
                }
            }
            for (const Goal& goal : goals) {
                if (!goal.isEnabled || goal.provider != snapshot.provider ||
                    !GoalRules::isReached(goal.metric, snapshot.value(goal.metric), goal.targetValue))
                    continue;
                const auto last = goalCooldowns.constFind(goal.id);
                if (last != goalCooldowns.constEnd() && last->secsTo(now) < 60)
                    continue;
                goalCooldowns.insert(goal.id, now);
                ++matched;
            }
            previous.insert(snapshot.provider, snapshot);
        }
        benchmark::DoNotOptimize(matched);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Floor)->Arg(kTypicalEvents)->Arg(kBusyEvents);
BENCHMARK(BM_Poll)->Arg(kTypicalEvents)->Arg(kBusyEvents);

struct PerIteration {
    double wall = 0;
    // Processor time: on a machine that others share, the wall time also counts the waits for a core.
    double cpu = 0;
};

// Remembers the time per iteration of every run so main can print the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0 && !run.error_occurred)
                perIteration[run.benchmark_name()] = {run.real_accumulated_time / double(run.iterations),
                                                      run.cpu_accumulated_time / double(run.iterations)};
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, PerIteration> perIteration;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto time = [&](const char* name, int events) {
        const auto found = reporter.perIteration.find(std::string(name) + "/" + std::to_string(events));
        return found == reporter.perIteration.end() ? PerIteration() : found->second;
    };
    int status = 0;
    double typicalPoll = 0;
    for (const auto& [label, events] :
         {std::pair{"typical poll (5 providers, 10 events, 100 goals, 100 triggers)", kTypicalEvents},
          std::pair{"500-event poll", kBusyEvents}}) {
        const PerIteration poll = time("BM_Poll", events);
        const PerIteration floor = time("BM_Floor", events);
        if (poll.wall <= 0 || floor.wall <= 0 || poll.cpu <= 0 || floor.cpu <= 0) {
            std::printf("%s: not measured\n", label);
            status = 1;
            continue;
        }
        if (events == kTypicalEvents)
            typicalPoll = poll.cpu;
        std::printf("%s: %.1f us (CPU %.1f us), floor %.1f us (CPU %.1f us), ratio %.1f (CPU %.1f)\n", label,
                    poll.wall * 1e6, poll.cpu * 1e6, floor.wall * 1e6, floor.cpu * 1e6,
                    poll.wall / floor.wall, poll.cpu / floor.cpu);
    }
    const double busyPoll = time("BM_Poll", kBusyEvents).cpu;
    if (typicalPoll > 0 && busyPoll > 0)
        std::printf("500 events against 10: %.1f times the CPU time for %d times the events\n",
                    busyPoll / typicalPoll, kBusyEvents / kTypicalEvents);
    benchmark::Shutdown();
    return status;
}
