#include "model/credential_accounts.h"
#include "net/transport_error.h"
#include "providers/decoding_error.h"
#include "providers/provider_error.h"
#include "providers/stripe/stripe_event_list_response.h"
#include "stripe_test_support.h"
#include "support/run_task.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace StripeTesting;

namespace {

QStringList chargeIds(const QList<ProviderEvent>& events) {
    QStringList ids;
    for (const ProviderEvent& event : events)
        ids.append(event.stripeKind()->details.chargeId);
    return ids;
}

QJsonArray without(QJsonArray events, const QString& id) {
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (events[i].toObject().value(QLatin1String("id")).toString() == id) {
            events.removeAt(i);
            break;
        }
    }
    return events;
}

StripeEventEnvelope bareEvent(const char* id, double created) {
    StripeEventEnvelope e;
    e.id = QString::fromUtf8(id);
    e.type = QStringLiteral("customer.subscription.deleted");
    e.created = created;
    return e;
}

const QDateTime hourAgo = QDateTime::fromSecsSinceEpoch(fixtureNowSeconds - 3600, Qt::UTC);

} // namespace

TEST(StripeEventsFeed, SendsTheExactListingRequest) {
    ProviderHarness h;
    h.scripted.enqueue(200, listBody({}));
    // Milliseconds are cut, not rounded.
    const QDateTime since = QDateTime::fromMSecsSinceEpoch(1796652000999, Qt::UTC);
    TestTasks::run(h.provider.fetchEvents(since));

    ASSERT_EQ(h.scripted.requests().size(), 1);
    const HttpRequest& request = h.scripted.lastRequest();
    EXPECT_EQ(request.method, QByteArrayLiteral("GET"));
    EXPECT_EQ(request.url.toEncoded(),
              QByteArrayLiteral(
                  "https://stripe.test/v1/events?limit=100&created%5Bgte%5D=1796652000"
                  "&types%5B%5D=charge.succeeded&types%5B%5D=charge.refunded"
                  "&types%5B%5D=customer.subscription.created&types%5B%5D=customer.subscription.updated"
                  "&types%5B%5D=customer.subscription.deleted&types%5B%5D=invoice.payment_succeeded"
                  "&types%5B%5D=checkout.session.completed"));
    EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer sk_test_fixture"));
    EXPECT_EQ(request.header("Stripe-Version"), QByteArrayLiteral("2024-06-20"));
    EXPECT_EQ(request.timeout, std::chrono::milliseconds(60000));
}

TEST(StripeEventsFeed, PrimesFirstThenReportsOnlyNewEventsOnce) {
    FakeStripeService service = FakeStripeService::fixtureAccount();
    const QJsonArray all = service.events;
    service.events = without(all, QStringLiteral("evt_1QCharge"));
    ProviderHarness h;
    h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });

    EXPECT_TRUE(TestTasks::run(h.provider.fetchEvents(hourAgo)).isEmpty());
    EXPECT_TRUE(h.provider.eventsCursor().isPrimed());
    // Ten fixture events less the one held back, less customer.created, which the type filter leaves out.
    EXPECT_EQ(h.provider.eventsCursor().seenCount(), 8);

    service.events = all;
    const QList<ProviderEvent> second = TestTasks::run(h.provider.fetchEvents(hourAgo));
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0].eventKind(), TriggerEventKind::stripeCharge);
    EXPECT_EQ(second[0].stripeKind()->details.chargeId, QStringLiteral("ch_3QEv1Charge01"));
    EXPECT_EQ(second[0].occurredAt, QDateTime::fromSecsSinceEpoch(1796655000, Qt::UTC));

    EXPECT_TRUE(TestTasks::run(h.provider.fetchEvents(hourAgo)).isEmpty());
    EXPECT_EQ(h.scripted.requests().size(), 3);
}

TEST(StripeEventsFeed, ReportsOldestFirstKeepingServiceOrderForEqualTimes) {
    FakeStripeService service = FakeStripeService::fixtureAccount();
    const QJsonArray all = service.events;
    service.events = {};
    ProviderHarness h;
    h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
    TestTasks::run(h.provider.fetchEvents(hourAgo));

    service.events = all; // newest first, as the service sends them
    const QList<ProviderEvent> events = TestTasks::run(h.provider.fetchEvents(hourAgo));
    // sub_1QAda02 (updated) and sub_1QEve06 (deleted) share one `created`; the service lists the update
    // first.
    EXPECT_EQ(chargeIds(events),
              (QStringList{QStringLiteral("ch_3QEv2Refund02"), QStringLiteral("sub_1QAda02"),
                           QStringLiteral("sub_1QEve06"), QStringLiteral("sub_1QNew09"),
                           QStringLiteral("in_1QCycle"), QStringLiteral("cs_test_a1Zero"),
                           QStringLiteral("ch_3QEv1Charge01")}));
    ASSERT_FALSE(events.isEmpty());
    EXPECT_TRUE(events[0].stripeKind()->details.isRefund);

    // Events that gave nothing were still recorded: the same listing again reports nothing.
    for (const char* id : {"evt_1QInvCreate", "evt_1QNoPaid"})
        EXPECT_TRUE(h.provider.eventsCursor().hasSeen(QString::fromUtf8(id))) << id;
    EXPECT_TRUE(TestTasks::run(h.provider.fetchEvents(hourAgo)).isEmpty());
}

TEST(StripeEventsFeed, FailedCallsLeaveTheCursorAlone) {
    const struct {
        const char* name;
        std::function<void(ScriptedHttpClient&)> script;
        std::function<void()> expectError; // rethrows and checks the current exception
    } cases[] = {
        {"transport",
         [](ScriptedHttpClient& c) { c.enqueueTransportError(QStringLiteral("Connection refused")); },
         [] {
             try {
                 throw;
             } catch (const TransportError& e) {
                 EXPECT_EQ(e.description(), QStringLiteral("Connection refused"));
             }
         }},
        {"refused",
         [](ScriptedHttpClient& c) { c.enqueue(429, R"({"error":{"message":"Too many requests"}})"); },
         [] {
             try {
                 throw;
             } catch (const ProviderError& e) {
                 EXPECT_EQ(e.errorCase(), ProviderError::Case::apiError);
                 EXPECT_EQ(e.description(), QStringLiteral(R"({"error":{"message":"Too many requests"}})"));
             }
         }},
        {"refused, not UTF-8", [](ScriptedHttpClient& c) { c.enqueue(502, QByteArray("\xc3\x28\xff", 3)); },
         [] {
             try {
                 throw;
             } catch (const ProviderError& e) {
                 EXPECT_EQ(e.description(), QStringLiteral("Stripe API error"));
             }
         }},
        {"not an HTTP answer", [](ScriptedHttpClient& c) { c.enqueue(0, "{}"); },
         [] {
             try {
                 throw;
             } catch (const ProviderError& e) {
                 EXPECT_EQ(e.errorCase(), ProviderError::Case::invalidResponse);
             }
         }},
        {"one event without created",
         [](ScriptedHttpClient& c) { c.enqueue(200, readFixture("events_missing_created.json")); },
         [] {
             try {
                 throw;
             } catch (const DecodingError&) {
             }
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeStripeService service = FakeStripeService::fixtureAccount();
        ProviderHarness h;
        // Unprimed: a failure keeps it unprimed.
        c.script(h.scripted);
        try {
            TestTasks::run(h.provider.fetchEvents(hourAgo));
            ADD_FAILURE() << "no error";
        } catch (...) {
            c.expectError();
        }
        EXPECT_FALSE(h.provider.eventsCursor().isPrimed());
        EXPECT_EQ(h.provider.eventsCursor().seenCount(), 0);

        // Primed: a failure neither records nor forgets anything, and the next listing reports as usual.
        service.events = without(service.events, QStringLiteral("evt_1QCharge"));
        h.scripted.enqueue(service.respond(h.scripted.requests().constFirst()));
        TestTasks::run(h.provider.fetchEvents(hourAgo));
        c.script(h.scripted);
        EXPECT_ANY_THROW(TestTasks::run(h.provider.fetchEvents(hourAgo)));
        EXPECT_EQ(h.provider.eventsCursor().seenCount(), 8);
        h.scripted.enqueue(200, readFixture("events.json"));
        EXPECT_EQ(TestTasks::run(h.provider.fetchEvents(hourAgo)).size(), 1);
    }
}

TEST(StripeEventsFeed, ResetMakesTheNextCallPrimeAgain) {
    ProviderHarness h;
    h.scripted.setHandler([](const HttpRequest&) {
        return HttpResponse{200, {}, readFixture("events.json")};
    });
    TestTasks::run(h.provider.fetchEvents(hourAgo));
    h.provider.resetEventsState();
    EXPECT_FALSE(h.provider.eventsCursor().isPrimed());
    EXPECT_EQ(h.provider.eventsCursor().seenCount(), 0);
    EXPECT_TRUE(TestTasks::run(h.provider.fetchEvents(hourAgo)).isEmpty());
    EXPECT_EQ(h.provider.eventsCursor().seenCount(), 10);
}

TEST(StripeEventsFeed, MissingOrEmptyKeySendsNothing) {
    for (const char* key : {static_cast<const char*>(nullptr), ""}) {
        ProviderHarness h;
        h.credentials.setFailing(false);
        if (key)
            h.setKey(QString::fromUtf8(key));
        else
            h.credentials.remove(CredentialAccounts::stripeSecretKey());
        try {
            TestTasks::run(h.provider.fetchEvents(hourAgo));
            ADD_FAILURE() << "no error";
        } catch (const ProviderError& e) {
            EXPECT_EQ(e.errorCase(), ProviderError::Case::notConfigured);
            EXPECT_EQ(e.description(), QStringLiteral("Integration not configured."));
        }
        EXPECT_TRUE(h.scripted.requests().isEmpty());
    }
}

TEST(StripeEventsCursor, ForgetsIdsAnHourOlderThanTheListingBoundBeyondTheNewestThousand) {
    const double created = 1796650000;
    const struct {
        const char* name;
        double laterSince;  // seconds
        qsizetype newerIds; // seen besides evt_a, all newer than it
        bool stillSeen;
    } cases[] = {
        {"listed again", created - 10, 1000, true},
        {"59 minutes later", created + 3599, 1000, true},
        {"exactly an hour", created + 3600, 1000, true},
        {"an hour and a second", created + 3601, 1000, false},
        {"a day later", created + 86400, 1000, false},
        // A clock that jumps back could list it again.
        {"a day later, among the newest thousand", created + 86400, 999, true},
    };
    for (const auto& c : cases) {
        StripeEventsCursor cursor;
        const auto since = [](double s) { return QDateTime::fromMSecsSinceEpoch(qint64(s * 1000), Qt::UTC); };
        QList<StripeEventEnvelope> listing = {bareEvent("evt_a", created)};
        for (qsizetype i = 0; i < c.newerIds; ++i) {
            listing.append(bareEvent("", c.laterSince + 1));
            listing.last().id = QStringLiteral("evt_n%1").arg(i);
        }
        cursor.absorb(listing, since(created - 60));
        cursor.absorb({}, since(c.laterSince));
        EXPECT_EQ(cursor.hasSeen(QStringLiteral("evt_a")), c.stillSeen) << c.name;
        EXPECT_EQ(cursor.seenCount(), c.newerIds + (c.stillSeen ? 1 : 0)) << c.name;
    }
}

TEST(StripeEventsCursor, AKeptIdIsNeverReportedAgainButANewOneIs) {
    StripeEventsCursor cursor;
    const QDateTime since = QDateTime::fromSecsSinceEpoch(1796650000, Qt::UTC);
    EXPECT_TRUE(cursor.absorb({bareEvent("evt_a", 1796650100)}, since).isEmpty());
    StripeEventEnvelope unhandled = bareEvent("evt_u", 1796650150);
    unhandled.type = QStringLiteral("customer.created");
    const QList<ProviderEvent> events = cursor.absorb(
        {bareEvent("evt_b", 1796650200), unhandled, bareEvent("evt_a", 1796650100)}, since.addSecs(60));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].occurredAt, QDateTime::fromSecsSinceEpoch(1796650200, Qt::UTC));
    // An unhandled type is recorded too, so it is not looked at again.
    EXPECT_TRUE(cursor.hasSeen(QStringLiteral("evt_u")));
    EXPECT_EQ(cursor.seenCount(), 3);
}

TEST(StripeEventsCursor, ManyEqualTimesKeepTheServiceOrder) {
    // Enough events that a non-stable sort would reorder them (small inputs happen to stay in order).
    StripeEventsCursor cursor;
    const QDateTime since = QDateTime::fromSecsSinceEpoch(1796650000, Qt::UTC);
    cursor.absorb({}, since);
    QList<StripeEventEnvelope> listing;
    QStringList expected;
    for (int i = 0; i < 64; ++i) {
        StripeEventEnvelope e = bareEvent("", i % 8 == 0 ? 1796650300 : 1796650200);
        e.id = QStringLiteral("evt_%1").arg(i);
        e.data.object = JsonDictionary(QJsonObject{{QStringLiteral("id"), e.id}});
        listing.append(e);
    }
    for (int i = 0; i < 64; ++i) {
        if (i % 8 != 0)
            expected.append(QStringLiteral("evt_%1").arg(i));
    }
    for (int i = 0; i < 64; i += 8)
        expected.append(QStringLiteral("evt_%1").arg(i));
    EXPECT_EQ(chargeIds(cursor.absorb(listing, since)), expected);
}
