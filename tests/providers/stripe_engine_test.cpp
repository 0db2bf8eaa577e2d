#include "engine/app_state.h"
#include "model/credential_accounts.h"
#include "model/persistence_manager.h"
#include "net/qt_http_client.h"
#include "stripe_test_support.h"
#include "support/fake_engine_parts.h"
#include "support/local_http_server.h"
#include "support/memory_preferences_store.h"
#include "support/run_task.h"

#include <gtest/gtest.h>
#include <memory>
#include <utility>

using namespace StripeTesting;
using Response = LocalHttpServer::Response;

namespace {

// The engine over the real Stripe provider and HTTP client, against the fake service on a local server: what
// the provider publishes is what fires.
class StripeEngine : public ::testing::Test, protected FakeEngineParts {
protected:
    StripeEngine() {
        for (const char* path : {"/v1/charges", "/v1/subscriptions", "/v1/events"}) {
            server.route("GET", path, [this](const LocalHttpServer::RecordedRequest& r) {
                if (r.path == QLatin1String("/v1/subscriptions") && subscriptionsStatus != 200)
                    return Response::json(subscriptionsStatus,
                                          R"({"error":{"message":"Service unavailable"}})");
                const auto answer = service.answer(r.path, r.query, r.header("Authorization"));
                if (r.path == QLatin1String("/v1/events") && afterEventsListing)
                    std::exchange(afterEventsListing, nullptr)();
                return Response::json(answer.status, answer.body);
            });
        }
        ServiceEndpoints endpoints;
        endpoints.stripeApiBase = server.baseUrl();
        provider = std::make_unique<StripeProvider>(http, keychain, clock, endpoints);
        TestTasks::run(
            keychain.save(QStringLiteral("sk_test_fixture"), CredentialAccounts::stripeSecretKey()));
        QList<IntegrationConnection> integrations = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& c : integrations) {
            if (c.provider == IntegrationProvider::stripe) {
                c.isConnected = true;
                c.configuredAt = clock.now();
            }
        }
        persistence.encodeIntegrations(integrations);
        persistence.encodeGoals({});
    }

    AppState& start(const QList<std::pair<TriggerEventKind, const char*>>& triggers) {
        QList<EventTrigger> list;
        for (const auto& [kind, message] : triggers) {
            EventTrigger t;
            t.id = QUuid::createUuid();
            t.provider = IntegrationProvider::stripe;
            t.eventKind = kind;
            t.reaction =
                ReactionConfig{QStringLiteral("T"), SoundEffect::chaChing, QString::fromUtf8(message)};
            list.append(t);
        }
        persistence.encodeTriggers(list);
        engine = std::make_unique<AppState>(AppStateDependencies{persistence, keychain, demo, *provider, ga,
                                                                 datafast, gsc, clock, random, sound,
                                                                 validator, revoker});
        engine->reactionStore().setOnWillAppend(
            [this](const ActiveReaction& r) { fired.append(r.config.message); });
        return *engine;
    }

    void poll() {
        clock.advanceSeconds(30);
        TestTasks::run(engine->pollOnce());
    }

    static QJsonObject event(const char* id, const char* type, qint64 created) {
        return QJsonObject{{QStringLiteral("id"), QString::fromUtf8(id)},
                           {QStringLiteral("object"), QStringLiteral("event")},
                           {QStringLiteral("type"), QString::fromUtf8(type)},
                           {QStringLiteral("created"), double(created)},
                           {QStringLiteral("data"),
                            QJsonObject{{QStringLiteral("object"),
                                         QJsonObject{{QStringLiteral("id"), QStringLiteral("sub_1")}}}}}};
    }
    void addEvent(const QJsonObject& e) { service.events.prepend(e); }

    FakeClock clock{fixtureNow(), fixtureZone()};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    FakeStripeService service = FakeStripeService::fixtureAccount();
    int subscriptionsStatus = 200;
    std::function<void()> afterEventsListing;
    LocalHttpServer server;
    QtHttpClient http;
    std::unique_ptr<StripeProvider> provider;
    std::unique_ptr<AppState> engine;
    QStringList fired;
};

TEST_F(StripeEngine, ASubscriptionsOutageNeitherPublishesZerosNorFiresARiseAfterIt) {
    AppState& app = start({{TriggerEventKind::stripeSubscribers, "subscribers up"},
                           {TriggerEventKind::stripeRecurringMRR, "MRR up"},
                           {TriggerEventKind::stripeARR, "ARR up"},
                           {TriggerEventKind::stripeCustomers, "customers up"},
                           {TriggerEventKind::stripeTrials, "trials up"}});
    QList<double> publishedSubscribers;
    QObject::connect(&app, &AppState::snapshotsChanged, [&] {
        if (app.snapshots().contains(IntegrationProvider::stripe))
            publishedSubscribers.append(
                app.snapshots().value(IntegrationProvider::stripe).value(MetricKind::subscribers));
    });

    poll();
    ASSERT_EQ(app.lastError(), std::nullopt);
    subscriptionsStatus = 503;
    poll();
    EXPECT_EQ(app.lastError(), QStringLiteral(R"(Stripe: {"error":{"message":"Service unavailable"}})"));
    subscriptionsStatus = 200;
    poll();
    EXPECT_EQ(app.lastError(), std::nullopt);

    EXPECT_EQ(publishedSubscribers, (QList<double>{6, 6, 6}));
    EXPECT_TRUE(fired.isEmpty()) << fired.join(QStringLiteral(", ")).toStdString();
}

// This machine's clock may run ahead of the service's, and an event may be created while a poll runs: the
// overlap lists both again, and the seen ids let each fire once.
TEST_F(StripeEngine, EventsFromTheFutureAndFromDuringAPollEachFireOnce) {
    start({{TriggerEventKind::stripeSubscriptionCanceled, "canceled"},
           {TriggerEventKind::stripeNewSubscription, "new subscription"}});
    poll(); // primes

    addEvent(event("evt_future", "customer.subscription.deleted", clock.now().toSecsSinceEpoch() + 120));
    afterEventsListing = [this] {
        addEvent(event("evt_during", "customer.subscription.created", clock.now().toSecsSinceEpoch()));
        // The rest of the poll takes a while.
        clock.advanceSeconds(5);
    };
    poll();
    EXPECT_EQ(fired, QStringList{QStringLiteral("canceled")});
    for (int i = 0; i < 3; ++i)
        poll();
    EXPECT_EQ(fired, (QStringList{QStringLiteral("canceled"), QStringLiteral("new subscription")}));
    EXPECT_EQ(engine->lastError(), std::nullopt);
}

} // namespace
