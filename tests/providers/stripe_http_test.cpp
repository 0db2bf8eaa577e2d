#include "model/credential_accounts.h"
#include "net/qt_http_client.h"
#include "stripe_test_support.h"
#include "support/local_http_server.h"
#include "support/run_task.h"

#include <QJsonDocument>
#include <algorithm>
#include <gtest/gtest.h>

using namespace StripeTesting;
using Response = LocalHttpServer::Response;

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

void serve(LocalHttpServer& server, const FakeStripeService& service) {
    for (const char* path : {"/v1/charges", "/v1/subscriptions", "/v1/events"}) {
        server.route("GET", path, [&service](const LocalHttpServer::RecordedRequest& r) {
            const auto answer = service.answer(r.path, r.query, r.header("Authorization"));
            return Response::json(answer.status, answer.body);
        });
    }
}

} // namespace

TEST(StripeProviderOverHttp, OnePollAgainstALocalServer) {
    FakeStripeService service = FakeStripeService::fixtureAccount();
    const QJsonArray allEvents = service.events;
    service.events = QJsonArray();
    for (const QJsonValue& event : allEvents) {
        if (event.toObject().value(QLatin1String("id")).toString() != QLatin1String("evt_1QCharge"))
            service.events.append(event);
    }
    LocalHttpServer server;
    serve(server, service);
    ScopedEnv base("ZINGBOARD_STRIPE_API_BASE", server.baseUrl().toUtf8());
    const ServiceEndpoints endpoints = ServiceEndpoints::fromEnvironment();
    ASSERT_EQ(endpoints.stripeApiBase, server.baseUrl());

    QtHttpClient http;
    FakeClock clock(fixtureNow(), fixtureZone());
    MemoryCredentialStore credentials;
    credentials.put(CredentialAccounts::stripeSecretKey(), "sk_test_fixture");
    KeychainStore keychain(credentials);
    StripeProvider provider(http, keychain, clock, endpoints);

    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());
    EXPECT_NEAR(snapshot.value(MetricKind::revenueToday), 68.99, 1e-9);
    EXPECT_NEAR(snapshot.value(MetricKind::totalRevenue), 1354.95, 1e-9);
    EXPECT_EQ(snapshot.value(MetricKind::subscribers), 6);

    const QDateTime since = QDateTime::fromSecsSinceEpoch(fixtureNowSeconds - 3600, Qt::UTC);
    EXPECT_TRUE(TestTasks::run(provider.fetchEvents(since)).isEmpty());
    service.events = allEvents;
    const QList<ProviderEvent> events = TestTasks::run(provider.fetchEvents(since));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].stripeKind()->details.chargeId, QStringLiteral("ch_3QEv1Charge01"));

    const QByteArray eventsTarget =
        "/v1/events?limit=100&created%5Bgte%5D=1796652000"
        "&types%5B%5D=charge.succeeded&types%5B%5D=charge.refunded"
        "&types%5B%5D=customer.subscription.created"
        "&types%5B%5D=customer.subscription.updated"
        "&types%5B%5D=customer.subscription.deleted"
        "&types%5B%5D=invoice.payment_succeeded&types%5B%5D=checkout.session.completed";
    QList<QByteArray> expectedTargets = {
        "/v1/"
        "charges?limit=100&created%5Bgte%5D=1796619600&expand%5B%5D=data.customer&expand%5B%5D=data.invoice",
        "/v1/"
        "charges?limit=100&created%5Bgte%5D=1796014800&expand%5B%5D=data.customer&expand%5B%5D=data.invoice",
        "/v1/"
        "charges?limit=100&created%5Bgte%5D=1794063600&expand%5B%5D=data.customer&expand%5B%5D=data.invoice",
        "/v1/subscriptions?limit=100&status=all&expand%5B%5D=data.items.data.price",
        eventsTarget,
        eventsTarget,
    };
    QList<QByteArray> targets;
    for (const auto& request : server.requests()) {
        targets.append(request.target);
        EXPECT_EQ(request.method, QByteArrayLiteral("GET"));
        EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer sk_test_fixture"));
        EXPECT_EQ(request.header("Stripe-Version"), QByteArrayLiteral("2024-06-20"));
        for (const QString& expand : request.queryValues(QStringLiteral("expand[]")))
            EXPECT_LE(expand.split(QLatin1Char('.')).size(), 4) << expand.toStdString();
    }
    // The two requests of a pair may reach the server in either order.
    std::sort(targets.begin(), targets.end());
    std::sort(expectedTargets.begin(), expectedTargets.end());
    EXPECT_EQ(targets, expectedTargets);
}

TEST(StripeProviderOverHttp, TheTestServerRefusesDeepExpansionsAsTheServiceDoes) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    LocalHttpServer server;
    serve(server, service);
    QtHttpClient http;
    HttpRequest request;
    request.url = server.url("/v1/charges?limit=100&expand%5B%5D=data.invoice.lines.data.price.product");
    request.setHeader("Authorization", "Bearer sk_test_fixture");
    const HttpResponse response = TestTasks::run(http.send(request));
    EXPECT_EQ(response.status, 400);
    EXPECT_TRUE(response.body.contains("cannot expand more than 4 levels"));
}
