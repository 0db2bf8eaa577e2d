#include "app/cli_output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>
#include <limits>

namespace {

ActiveReaction reaction(std::optional<ReactionDetails> details,
                        const QString& subtitle = QStringLiteral("sub")) {
    return ActiveReaction{
        QUuid::createUuid(),
        ReactionConfig{QString::fromUtf8("\U0001F4B0"), SoundEffect::chaChing, QStringLiteral("Paid!")},
        subtitle, std::move(details), QDateTime(QDate(2026, 12, 7), QTime(22, 30, 5), Qt::UTC)};
}

ReactionDetails purchase() {
    StripeTransactionDetails tx;
    tx.amountCents = 14900;
    tx.customerName = QStringLiteral("Alex Chen");
    tx.headline = QStringLiteral("Checkout completed");
    return ReactionDetails::fromStripe(tx, std::nullopt);
}

TEST(CliOutput, ReactionJsonFields) {
    ReactionDetails amountLineOnly;
    amountLineOnly.context = ReactionContext::traffic;
    amountLineOnly.amountLine = QStringLiteral("+3 · 21");
    const struct {
        const char* name;
        std::optional<ReactionDetails> details;
        QJsonValue context, amount, headline;
    } cases[] = {
        {"no details", std::nullopt, QJsonValue::Null, QJsonValue::Null, QJsonValue::Null},
        {"purchase", purchase(), QStringLiteral("purchase"), QStringLiteral("$149.00"),
         QStringLiteral("Checkout completed")},
        {"goal", ReactionDetails::forGoal(MetricKind::revenueToday, 120.4, 100), QStringLiteral("goal"),
         QStringLiteral("$120 / $100"), QJsonValue::Null},
        {"amount line only", amountLineOnly, QStringLiteral("traffic"), QStringLiteral("+3 · 21"),
         QJsonValue::Null},
    };
    for (const auto& c : cases) {
        const QJsonObject json = CliOutput::reactionJson(reaction(c.details));
        EXPECT_EQ(json.size(), 7) << c.name;
        EXPECT_EQ(json.value(QStringLiteral("emoji")).toString(), QString::fromUtf8("\U0001F4B0"));
        EXPECT_EQ(json.value(QStringLiteral("message")).toString(), QStringLiteral("Paid!"));
        EXPECT_EQ(json.value(QStringLiteral("subtitle")).toString(), QStringLiteral("sub"));
        EXPECT_EQ(json.value(QStringLiteral("sound")).toString(), QStringLiteral("chaChing"));
        EXPECT_EQ(json.value(QStringLiteral("context")), c.context) << c.name;
        EXPECT_EQ(json.value(QStringLiteral("amount")), c.amount) << c.name;
        EXPECT_EQ(json.value(QStringLiteral("headline")), c.headline) << c.name;
    }
}

TEST(CliOutput, PollDocumentKeepsJsonValidForOddNumbers) {
    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::stripe;
    snapshot.values = {{MetricKind::mrr, std::numeric_limits<double>::quiet_NaN()},
                       {MetricKind::arr, std::numeric_limits<double>::infinity()},
                       {MetricKind::charges, 3}};
    snapshot.fetchedAt = QDateTime(QDate(2026, 12, 7), QTime(10, 15, 2, 750), Qt::UTC);
    snapshot.displaySummary = QStringLiteral("s");
    snapshot.currencyCode = QStringLiteral("JPY");
    const QJsonObject document = CliOutput::pollDocument(std::nullopt, QStringLiteral("Stripe: boom"),
                                                         {{IntegrationProvider::stripe, snapshot}}, {});
    // Round trip through text: NaN and infinity must not produce an unparsable document.
    const QJsonObject parsed = QJsonDocument::fromJson(CliOutput::jsonLine(document)).object();
    ASSERT_FALSE(parsed.isEmpty());
    EXPECT_TRUE(parsed.value(QStringLiteral("lastPollAt")).isNull());
    EXPECT_EQ(parsed.value(QStringLiteral("lastError")).toString(), QStringLiteral("Stripe: boom"));
    const QJsonObject stripe =
        parsed.value(QStringLiteral("snapshots")).toObject().value(QStringLiteral("stripe")).toObject();
    EXPECT_EQ(stripe.value(QStringLiteral("fetchedAt")).toString(), QStringLiteral("2026-12-07T10:15:02Z"));
    EXPECT_EQ(stripe.value(QStringLiteral("currency")).toString(), QStringLiteral("JPY"));
    const QJsonObject values = stripe.value(QStringLiteral("values")).toObject();
    EXPECT_TRUE(values.value(QStringLiteral("mrr")).isNull());
    EXPECT_TRUE(values.value(QStringLiteral("arr")).isNull());
    EXPECT_EQ(values.value(QStringLiteral("charges")).toDouble(), 3);
    EXPECT_TRUE(parsed.value(QStringLiteral("reactions")).toArray().isEmpty());
    EXPECT_TRUE(CliOutput::jsonLine(document).endsWith('\n'));
    EXPECT_EQ(CliOutput::jsonLine(document).count('\n'), 1);
}

TEST(CliOutput, ReactionLineUsesLocalTimeAndOmitsWhatIsAbsent) {
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    const struct {
        const char* name;
        ActiveReaction reaction;
        const char* expected;
    } cases[] = {
        {"purchase", reaction(purchase(), QStringLiteral("Alex Chen")),
         "23:30:05  \U0001F4B0 Paid!  Alex Chen  [NEW SALE]  $149.00"},
        {"bare", reaction(std::nullopt, QString()), "23:30:05  \U0001F4B0 Paid!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CliOutput::reactionLine(c.reaction, berlin), QString::fromUtf8(c.expected)) << c.name;
}

TEST(CliOutput, FiguresLineNamesEveryProviderInLocalTime) {
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    const auto snapshot = [](IntegrationProvider provider, const char* summary) {
        MetricSnapshot s;
        s.provider = provider;
        s.displaySummary = QString::fromUtf8(summary);
        return s;
    };
    QMap<IntegrationProvider, MetricSnapshot> snapshots;
    // Inserted out of order: the line follows the provider order.
    snapshots.insert(IntegrationProvider::datafast,
                     snapshot(IntegrationProvider::datafast, "120 visitors \u00B7 $99 revenue"));
    snapshots.insert(IntegrationProvider::demo,
                     snapshot(IntegrationProvider::demo, "Demo: $1234 \u00B7 56 sessions"));
    const QDateTime at(QDate(2026, 12, 7), QTime(14, 4, 5), Qt::UTC);
    EXPECT_EQ(CliOutput::figuresLine(at, berlin, snapshots),
              QString::fromUtf8(
                  "15:04:05  Demo: $1234 \u00B7 56 sessions  Datafast: 120 visitors \u00B7 $99 revenue"));
}

TEST(CliOutput, StatusNeverCarriesCredentials) {
    AppSettings settings = AppSettings::defaults();
    settings.googleIntegration.gaPropertyId = QStringLiteral("123456");
    settings.googleIntegration.gaPropertyName = QStringLiteral("My site");
    settings.soundsMuted = true;
    IntegrationConnection stripe = IntegrationConnection::disconnected(IntegrationProvider::stripe);
    stripe.isConnected = true;
    stripe.label = QStringLiteral("Stripe connected");
    stripe.configuredAt = QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC);
    const QList<IntegrationConnection> integrations = {
        stripe, IntegrationConnection::disconnected(IntegrationProvider::datafast)};

    const QJsonObject json = CliOutput::statusJson(settings, integrations);
    EXPECT_EQ(json.value(QStringLiteral("integrations")).toArray().at(0).toObject(), stripe.toJson());
    EXPECT_EQ(json.value(QStringLiteral("googleIntegration")).toObject(),
              settings.googleIntegration.toJson());
    EXPECT_EQ(json.value(QStringLiteral("soundsMuted")), QJsonValue(true));

    const QString text = CliOutput::statusText(settings, integrations, QTimeZone::utc());
    EXPECT_TRUE(text.contains(QStringLiteral("Stripe: connected (Stripe connected) since 2026-12-01 08:00")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Datafast: not connected")));
    EXPECT_TRUE(text.contains(QStringLiteral("Google Analytics property: 123456 (My site)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Sounds: muted")));
}

} // namespace
