#include "stripe_test_support.h"
#include "support/run_task.h"

#include <gtest/gtest.h>

using namespace StripeTesting;

namespace {

constexpr qint64 day = 86400;

QJsonObject charge(const char* id, qint64 amount, const char* currency, qint64 secondsAgo) {
    QJsonObject c = minimalCharge(QString::fromUtf8(id), amount, fixtureNowSeconds - secondsAgo);
    c.insert(QStringLiteral("currency"), QString::fromUtf8(currency));
    return c;
}

// An active subscription with one monthly item per (unit amount, currency).
QJsonObject subscription(const char* id, QList<std::pair<qint64, const char*>> items) {
    QJsonArray data;
    for (const auto& [amount, currency] : items) {
        data.append(
            QJsonObject{{QStringLiteral("quantity"), 1},
                        {QStringLiteral("price"),
                         QJsonObject{{QStringLiteral("unit_amount"), amount},
                                     {QStringLiteral("currency"), QString::fromUtf8(currency)},
                                     {QStringLiteral("recurring"),
                                      QJsonObject{{QStringLiteral("interval"), QStringLiteral("month")}}}}}});
    }
    return QJsonObject{{QStringLiteral("id"), QString::fromUtf8(id)},
                       {QStringLiteral("customer"), QStringLiteral("cus_1")},
                       {QStringLiteral("status"), QStringLiteral("active")},
                       {QStringLiteral("created"), double(fixtureNowSeconds - 60 * day)},
                       {QStringLiteral("items"), QJsonObject{{QStringLiteral("data"), data}}}};
}

struct AccountCase {
    const char* name;
    QJsonArray charges; // newest first
    QJsonArray subscriptions;
    const char* currency;
    double revenueToday;
    double revenue7d;
    double revenue30d;
    double purchasesToday;
    double recurringMrr;
    QString summary;
};

} // namespace

// Every figure worked out by hand. Today's charges are an hour old, the week's three days, the month's
// twenty.
TEST(StripeCurrencies, AccountsInTheirOwnCurrency) {
    const AccountCase cases[] = {
        // 1500 yen is 1500 yen: no minor unit. 30 days: 1500 + 5000.
        {"yen",
         {charge("ch_j1", 1500, "jpy", 3600), charge("ch_j2", 5000, "jpy", 20 * day)},
         {subscription("sub_j", {{980, "jpy"}})},
         "JPY",
         1500,
         1500,
         6500,
         1,
         980,
         QString::fromUtf8("\u00A51500 today \u00B7 1 subs")},
        // Thousandths: 12.345 + 2.5 today, 1.0 more in the month; a 7.5 monthly price.
        {"dinar",
         {charge("ch_b1", 12345, "bhd", 3600), charge("ch_b2", 2500, "bhd", 7200),
          charge("ch_b3", 1000, "bhd", 20 * day)},
         {subscription("sub_b", {{7500, "bhd"}})},
         "BHD",
         14.845,
         14.845,
         15.845,
         2,
         7.5,
         CurrencyFormat::symbol(QStringLiteral("BHD")) + QString::fromUtf8("15 today \u00B7 1 subs")},
        // Two euro charges outnumber one dollar and one pound charge, which are left out (also of the count
        // of today's purchases); of the subscription only the euro item counts.
        {"mixed, euros win",
         {charge("ch_m1", 5000, "usd", 1800), charge("ch_m2", 2000, "eur", 3600),
          charge("ch_m3", 1000, "eur", 3 * day), charge("ch_m4", 300, "gbp", 20 * day)},
         {subscription("sub_m", {{900, "eur"}, {1000, "usd"}})},
         "EUR",
         20,
         30,
         30,
         1,
         9,
         QString::fromUtf8("\u20AC20 today \u00B7 1 subs \u00B7 2 charges in other currencies left out")},
        // One each: the newest charge's currency.
        {"tie goes to the newest",
         {charge("ch_t1", 700, "usd", 1800), charge("ch_t2", 300, "eur", 3600)},
         {},
         "USD",
         7,
         7,
         7,
         1,
         0,
         QString::fromUtf8("$7 today \u00B7 0 subs \u00B7 1 charge in another currency left out")},
    };
    for (const AccountCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeStripeService service;
        service.charges = c.charges;
        service.subscriptions = c.subscriptions;
        ProviderHarness h;
        h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
        const MetricSnapshot snapshot = TestTasks::run(h.provider.fetchMetrics());
        EXPECT_EQ(snapshot.currencyCode, QString::fromUtf8(c.currency));
        EXPECT_NEAR(snapshot.value(MetricKind::revenueToday), c.revenueToday, 1e-9);
        EXPECT_NEAR(snapshot.value(MetricKind::revenue7d), c.revenue7d, 1e-9);
        EXPECT_NEAR(snapshot.value(MetricKind::mrr), c.revenue30d, 1e-9);
        EXPECT_NEAR(snapshot.value(MetricKind::totalRevenue), c.revenue30d + 4 * c.revenue7d, 1e-9);
        EXPECT_EQ(snapshot.value(MetricKind::purchaseCountToday), c.purchasesToday);
        EXPECT_NEAR(snapshot.value(MetricKind::recurringMrr), c.recurringMrr, 1e-9);
        EXPECT_NEAR(snapshot.value(MetricKind::arr), 12 * c.recurringMrr, 1e-9);
        EXPECT_EQ(snapshot.displaySummary, c.summary);
    }
}

TEST(StripeCurrencies, SymbolsComeFromTheLocalesWithDollarsForTheUnknown) {
    const struct {
        const char* code;
        const char* symbol;
    } cases[] = {
        {"USD", "$"},      {"usd", "$"},      {"JPY", "\u00A5"}, {"jpy", "\u00A5"}, {"EUR", "\u20AC"},
        {"GBP", "\u00A3"}, {"KRW", "\u20A9"}, {"XYZ", "$"},      {"", "$"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CurrencyFormat::symbol(QString::fromUtf8(c.code)), QString::fromUtf8(c.symbol)) << c.code;
    // Read left to right before a number: no direction marks, no full-width forms.
    const QString dinar = CurrencyFormat::symbol(QStringLiteral("BHD"));
    EXPECT_NE(dinar, QStringLiteral("$"));
    for (const QChar ch : dinar)
        EXPECT_NE(ch.category(), QChar::Other_Format);
}
