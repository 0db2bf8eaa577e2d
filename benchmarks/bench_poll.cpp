// One engine poll of five providers (every metric, 100 events each) against 100 goals and 100 triggers,
// beside a floor that only copies the same snapshots and events. Prints poll time / floor time.

#include "engine/app_state.h"
#include "engine/silent_sound_player.h"
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
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

using P = IntegrationProvider;

constexpr int kEventsPerProvider = 100;
constexpr int kRules = 100;

QHash<MetricKind, double> allMetrics(double base) {
    QHash<MetricKind, double> values;
    for (MetricKind kind : MetricKinds::allCases())
        values.insert(kind,
                      kind == MetricKind::avgPosition ? 50.0 - base / 1000.0 : base + double(int(kind)));
    return values;
}

// A provider's 100 events: Stripe kinds for Stripe and the demo source, metric rises for the others.
QList<ProviderEvent> eventsFor(P provider, const QDateTime& at) {
    QList<ProviderEvent> events;
    const QList<TavikEventDefinition> rows =
        TavikEventCatalog::available(provider == P::demo ? P::stripe : provider);
    for (int i = 0; i < kEventsPerProvider; ++i) {
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

    Bench() {
        AppSettings settings = AppSettings::defaults();
        settings.demoModeEnabled = true;
        settings.googleIntegration.gaPropertyId = QStringLiteral("properties/1");
        settings.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
        persistence.encodeSettings(settings);
        keychain.save(QStringLiteral("refresh"), QStringLiteral("googleRefreshToken"));
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
            events.insert(p->provider(), eventsFor(p->provider(), clock.now()));
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

Bench& bench() {
    static Bench instance;
    return instance;
}

void BM_Poll(benchmark::State& state) {
    Bench& b = bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.between();
        b.script();
        state.ResumeTiming();
        auto task = b.engine->pollOnce();
        if (!task.isReady())
            state.SkipWithError("poll suspended");
    }
    state.SetItemsProcessed(state.iterations());
}

// The least any poll must do: take a copy of every snapshot and every event it is handed.
void BM_Floor(benchmark::State& state) {
    Bench& b = bench();
    QList<MetricSnapshot> snapshots;
    for (FakeMetricProvider* p : b.providers) {
        MetricSnapshot s;
        s.provider = p->provider();
        s.values = allMetrics(b.level);
        snapshots.append(s);
    }
    for (auto _ : state) {
        state.PauseTiming();
        b.between();
        state.ResumeTiming();
        for (int i = 0; i < snapshots.size(); ++i) {
            MetricSnapshot copy = snapshots.at(i);
            copy.values.detach();
            QList<ProviderEvent> events = b.events.value(snapshots.at(i).provider);
            events.detach();
            benchmark::DoNotOptimize(copy);
            benchmark::DoNotOptimize(events);
        }
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Floor);
BENCHMARK(BM_Poll);

// Remembers the time per iteration of every run so main can print the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0 && !run.error_occurred)
                perIteration[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> perIteration;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto poll = reporter.perIteration.find("BM_Poll");
    const auto floor = reporter.perIteration.find("BM_Floor");
    if (poll != reporter.perIteration.end() && floor != reporter.perIteration.end() && floor->second > 0) {
        std::printf("poll: %.1f us, floor: %.1f us, ratio poll/floor: %.1f\n", poll->second * 1e6,
                    floor->second * 1e6, poll->second / floor->second);
    }
    benchmark::Shutdown();
    return 0;
}
