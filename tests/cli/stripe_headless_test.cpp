#include "private_keyring_sandbox.h"
#include "support/local_http_server.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <iterator>

namespace {

// A Stripe account as the service would list it, relative to the moment the test runs.
struct Charge {
    const char* id;
    qint64 amount;
    bool paid;
    bool refunded;
    qint64 created;
};

QJsonObject chargeJson(const Charge& c) {
    return QJsonObject{
        {QStringLiteral("id"), QString::fromLatin1(c.id)},
        {QStringLiteral("object"), QStringLiteral("charge")},
        {QStringLiteral("amount"), c.amount},
        {QStringLiteral("amount_refunded"), c.refunded ? c.amount : 0},
        {QStringLiteral("currency"), QStringLiteral("usd")},
        {QStringLiteral("paid"), c.paid},
        {QStringLiteral("refunded"), c.refunded},
        {QStringLiteral("created"), c.created},
        {QStringLiteral("description"), QJsonValue::Null},
        {QStringLiteral("metadata"), QJsonObject{}},
        {QStringLiteral("customer"), QStringLiteral("cus_plain")},
        {QStringLiteral("invoice"), QJsonValue::Null},
    };
}

QJsonObject subscriptionJson(const char* id, const char* customer, const char* status, qint64 created,
                             qint64 unitAmount, qint64 quantity, const char* interval) {
    const QJsonObject price{
        {QStringLiteral("id"), QStringLiteral("price_1")},
        {QStringLiteral("unit_amount"), unitAmount},
        {QStringLiteral("product"), QStringLiteral("prod_1")},
        {QStringLiteral("recurring"), QJsonObject{{QStringLiteral("interval"), QString::fromLatin1(interval)},
                                                  {QStringLiteral("interval_count"), 1}}},
    };
    const QJsonObject item{{QStringLiteral("id"), QStringLiteral("si_1")},
                           {QStringLiteral("price"), price},
                           {QStringLiteral("quantity"), quantity}};
    return QJsonObject{
        {QStringLiteral("id"), QString::fromLatin1(id)},
        {QStringLiteral("object"), QStringLiteral("subscription")},
        {QStringLiteral("customer"), QString::fromLatin1(customer)},
        {QStringLiteral("status"), QString::fromLatin1(status)},
        {QStringLiteral("created"), created},
        {QStringLiteral("items"), QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                              {QStringLiteral("data"), QJsonArray{item}}}},
    };
}

LocalHttpServer::Response stripeError(int status, const QString& message) {
    return LocalHttpServer::Response::json(
        status, QJsonDocument(
                    QJsonObject{{QStringLiteral("error"), QJsonObject{{QStringLiteral("message"), message}}}})
                    .toJson(QJsonDocument::Compact));
}

// Answers like the service: the bearer key and the version are checked, expansions deeper than four levels
// are refused, `created[gte]` filters, and listings come newest first in pages (of two, so paging is
// exercised).
class FakeStripe {
public:
    static constexpr qsizetype pageSize = 2;

    FakeStripe(QList<Charge> charges, QJsonArray subscriptions, QJsonArray events)
        : m_charges(std::move(charges)), m_subscriptions(std::move(subscriptions)),
          m_events(std::move(events)) {
        server.setFallback([this](const LocalHttpServer::RecordedRequest& r) { return answer(r); });
    }

    LocalHttpServer server;
    QList<QByteArray> refusals;

private:
    LocalHttpServer::Response refuse(int status, const QByteArray& why) {
        refusals.append(why);
        return stripeError(status, QString::fromLatin1(why));
    }

    LocalHttpServer::Response answer(const LocalHttpServer::RecordedRequest& r) {
        if (r.header("Authorization") != "Bearer sk_test_e2e")
            return refuse(401, "Invalid API Key provided");
        if (r.header("Stripe-Version") != "2024-06-20")
            return refuse(400, "missing or unexpected Stripe-Version on " + r.rawPath);
        for (const QString& expand : r.queryValues(QStringLiteral("expand[]"))) {
            if (expand.count(QLatin1Char('.')) + 1 > 4)
                return refuse(400, "expansion deeper than four levels: " + expand.toUtf8());
        }
        if (r.method != "GET")
            return refuse(405, "unexpected method");
        if (r.rawPath == "/v1/balance")
            return LocalHttpServer::Response::json(200, R"({"object":"balance","available":[]})");
        if (r.rawPath == "/v1/charges") {
            const QStringList since = r.queryValues(QStringLiteral("created[gte]"));
            if (since.size() != 1)
                return refuse(400, "charges need one created[gte]");
            QJsonArray all;
            for (const Charge& c : m_charges) {
                if (c.created >= since.first().toLongLong())
                    all.append(chargeJson(c));
            }
            return page(all, r);
        }
        if (r.rawPath == "/v1/subscriptions")
            return page(m_subscriptions, r);
        if (r.rawPath == "/v1/events")
            return LocalHttpServer::Response::json(
                200, QJsonDocument(QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                               {QStringLiteral("data"), m_events},
                                               {QStringLiteral("has_more"), false}})
                         .toJson(QJsonDocument::Compact));
        return refuse(404, "Unrecognized request URL");
    }

    LocalHttpServer::Response page(const QJsonArray& all, const LocalHttpServer::RecordedRequest& r) {
        qsizetype start = 0;
        const QStringList after = r.queryValues(QStringLiteral("starting_after"));
        if (!after.isEmpty()) {
            while (start < all.size() &&
                   all.at(start).toObject().value(QStringLiteral("id")).toString() != after.first())
                ++start;
            if (start == all.size())
                return refuse(400, "No such object: " + after.first().toUtf8());
            ++start;
        }
        QJsonArray data;
        for (qsizetype i = start; i < all.size() && data.size() < pageSize; ++i)
            data.append(all.at(i));
        const bool more = start + data.size() < all.size();
        return LocalHttpServer::Response::json(
            200, QJsonDocument(QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                           {QStringLiteral("data"), data},
                                           {QStringLiteral("has_more"), more}})
                     .toJson(QJsonDocument::Compact));
    }

    QList<Charge> m_charges;
    QJsonArray m_subscriptions;
    QJsonArray m_events;
};

TEST(StripeHeadlessCli, ConnectThenOnePollReportsTheAccountAndTheGoal) {
    if (!PrivateKeyringSandbox::available())
        GTEST_SKIP() << "needs dbus-run-session and gnome-keyring-daemon";

    PrivateKeyringSandbox sandbox;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    // Local midnight as the program computes it (in its time zone); today's charges sit after it.
    const QDate localToday = QDateTime::fromSecsSinceEpoch(now, sandbox.timeZone()).date();
    const qint64 midnight = QDateTime(localToday, QTime(0, 0), sandbox.timeZone()).toSecsSinceEpoch();
    const qint64 today = std::max(midnight, now - 60);
    const qint64 day = 24 * 3600;
    // Newest first, as the service lists them.
    const QList<Charge> charges = {
        {"ch_sale_today", 12345, true, false, today},
        {"ch_refunded_today", 500, true, true, today},
        {"ch_unpaid_today", 700, false, false, today},
        {"ch_three_days", 10000, true, false, midnight - 3 * day + 3600},
        {"ch_twenty_days", 20000, true, false, now - 20 * day},
        {"ch_forty_days", 100000, true, false, now - 40 * day},
    };
    const QJsonArray subscriptions = {
        subscriptionJson("sub_monthly", "cus_ada", "active", now - day, 2500, 2, "month"),
        subscriptionJson("sub_trial", "cus_ada", "trialing", now - day, 9900, 1, "month"),
        subscriptionJson("sub_yearly", "cus_bob", "active", now - 100 * day, 12000, 1, "year"),
        subscriptionJson("sub_gone", "cus_cy", "canceled", now - 2 * day, 5000, 1, "month"),
    };
    const QJsonArray events = {QJsonObject{
        {QStringLiteral("id"), QStringLiteral("evt_old")},
        {QStringLiteral("type"), QStringLiteral("charge.succeeded")},
        {QStringLiteral("created"), today},
        {QStringLiteral("data"), QJsonObject{{QStringLiteral("object"), chargeJson(charges.first())}}},
    }};
    FakeStripe stripe(charges, subscriptions, events);
    sandbox.setEnv(QStringLiteral("ZINGBOARD_STRIPE_API_BASE"), stripe.server.baseUrl());

    // The key from standard input, pasted with blanks around it.
    const auto connect = sandbox.run({QStringLiteral("connect"), QStringLiteral("stripe")}, " sk_test_e2e\n");
    ASSERT_TRUE(connect.finished);
    ASSERT_EQ(connect.exitCode, 0) << connect.err.toStdString();
    ASSERT_EQ(stripe.server.requestsTo("/v1/balance").size(), 1);

    // A later process finds the key in the keyring and polls once.
    const auto poll = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                   QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(poll.finished);
    EXPECT_EQ(poll.exitCode, 0) << poll.err.toStdString();
    EXPECT_TRUE(stripe.refusals.isEmpty()) << stripe.refusals.join("; ").toStdString();
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(poll.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << poll.out.toStdString();
    EXPECT_TRUE(document.value(QStringLiteral("lastError")).isNull()) << poll.out.toStdString();

    const QJsonObject snapshot =
        document.value(QStringLiteral("snapshots")).toObject().value(QStringLiteral("stripe")).toObject();
    const QJsonObject values = snapshot.value(QStringLiteral("values")).toObject();
    // By hand: today 123.45 in one sale, one refund, one unpaid charge; the week adds 100, the month 200; the
    // forty-day charge is outside every window. Subscriptions: 2 x 25 monthly + 120 yearly = 60 a month;
    // trials 1; active or trialing 3; customers ada, bob, cy; new in the last week: the monthly and the
    // trial.
    const struct {
        const char* metric;
        double value;
    } expected[] = {
        {"revenueToday", 123.45}, {"revenue7d", 223.45}, {"purchaseCountToday", 1},
        {"refundCountToday", 1},  {"mrr", 423.45},       {"totalRevenue", 423.45 + 4 * 223.45},
        {"charges", 1 + 5},       {"recurringMrr", 60},  {"arr", 720},
        {"customers", 3},         {"trials", 1},         {"subscribers", 3},
        {"newSubscribers", 2},
    };
    EXPECT_EQ(values.size(), std::size(expected)) << poll.out.toStdString();
    for (const auto& e : expected)
        EXPECT_NEAR(values.value(QLatin1String(e.metric)).toDouble(-1), e.value, 1e-9) << e.metric;
    EXPECT_EQ(snapshot.value(QStringLiteral("displaySummary")).toString(),
              QString::fromUtf8("$123 today \u00B7 3 subs"));

    // The "$100 revenue today" goal fires in the same poll; the listed event only primes the feed.
    const QJsonArray reactions = document.value(QStringLiteral("reactions")).toArray();
    ASSERT_EQ(reactions.size(), 1) << poll.out.toStdString();
    EXPECT_EQ(reactions.at(0).toObject().value(QStringLiteral("message")).toString(),
              QStringLiteral("We hit $100!"));
    EXPECT_EQ(reactions.at(0).toObject().value(QStringLiteral("context")).toString(), QStringLiteral("goal"));

    // The requests: three charge windows paged through, subscriptions paged, one events page.
    const auto chargeRequests = stripe.server.requestsTo("/v1/charges");
    // Today's three, the week's four and the month's five charges in pages of two: 2 + 2 + 3 pages.
    EXPECT_EQ(chargeRequests.size(), 7);
    for (const auto& r : chargeRequests) {
        EXPECT_EQ(r.queryValues(QStringLiteral("limit")), QStringList{QStringLiteral("100")});
        EXPECT_EQ(r.queryValues(QStringLiteral("expand[]")),
                  (QStringList{QStringLiteral("data.customer"), QStringLiteral("data.invoice")}));
        // Brackets travel encoded.
        EXPECT_TRUE(r.rawQuery.contains("created%5Bgte%5D=")) << r.rawQuery.toStdString();
    }
    EXPECT_EQ(stripe.server.requestsTo("/v1/subscriptions").size(), 2);
    const auto eventRequests = stripe.server.requestsTo("/v1/events");
    ASSERT_EQ(eventRequests.size(), 1);
    EXPECT_EQ(eventRequests.first().queryValues(QStringLiteral("types[]")),
              (QStringList{QStringLiteral("charge.succeeded"), QStringLiteral("charge.refunded"),
                           QStringLiteral("customer.subscription.created"),
                           QStringLiteral("customer.subscription.updated"),
                           QStringLiteral("customer.subscription.deleted"),
                           QStringLiteral("invoice.payment_succeeded"),
                           QStringLiteral("checkout.session.completed")}));
}

TEST(StripeHeadlessCli, RefusedChargesFailThePollWithTheServiceText) {
    if (!PrivateKeyringSandbox::available())
        GTEST_SKIP() << "needs dbus-run-session and gnome-keyring-daemon";
    LocalHttpServer server;
    server.route("GET", "/v1/balance", LocalHttpServer::Response::json(200, R"({"object":"balance"})"));
    server.route("GET", "/v1/charges", stripeError(403, QStringLiteral("This key lacks charge access")));
    server.route("GET", "/v1/subscriptions", LocalHttpServer::Response::json(200, R"({"data":[]})"));
    PrivateKeyringSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_STRIPE_API_BASE"), server.baseUrl());

    ASSERT_EQ(
        sandbox.run({QStringLiteral("connect"), QStringLiteral("stripe")}, "rk_test_limited\n").exitCode, 0);
    const auto poll = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                   QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(poll.finished);
    EXPECT_EQ(poll.exitCode, 1);
    const QJsonObject document = QJsonDocument::fromJson(poll.out).object();
    const QString lastError = document.value(QStringLiteral("lastError")).toString();
    EXPECT_TRUE(lastError.startsWith(QStringLiteral("Stripe: "))) << poll.out.toStdString();
    EXPECT_TRUE(lastError.contains(QStringLiteral("This key lacks charge access"))) << poll.out.toStdString();
    EXPECT_FALSE(document.value(QStringLiteral("snapshots")).toObject().contains(QStringLiteral("stripe")));
    // The restricted key was the one sent.
    ASSERT_FALSE(server.requestsTo("/v1/charges").isEmpty());
    EXPECT_EQ(server.requestsTo("/v1/charges").first().header("Authorization"), "Bearer rk_test_limited");
}

} // namespace
