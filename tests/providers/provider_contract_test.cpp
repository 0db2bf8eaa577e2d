#include "providers/decoding_error.h"
#include "providers/provider_error.h"
#include "providers/provider_event.h"
#include "providers/provider_request.h"
#include "providers/stripe_transaction_details.h"

#include <gtest/gtest.h>

namespace {

std::optional<QString> text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

struct BuyerLabelCase {
    const char* name;
    std::optional<QString> customerName;
    std::optional<QString> customerEmail;
    std::optional<QString> expected;
};

TEST(StripeTransactionDetails, BuyerLabel) {
    const BuyerLabelCase cases[] = {
        {"both", text(" Ada Lovelace\n"), text("\tada@example.com "),
         text("Ada Lovelace \u00B7 ada@example.com")},
        {"blank name", text("   \n"), text(" ada@example.com"), text("ada@example.com")},
        {"name only", text("Ada"), std::nullopt, text("Ada")},
        {"empty email", text("Ada"), text(""), text("Ada")},
        {"neither", std::nullopt, std::nullopt, std::nullopt},
        {"both blank", text(" "), text("\r\n"), std::nullopt},
    };
    for (const auto& c : cases) {
        StripeTransactionDetails details;
        details.customerName = c.customerName;
        details.customerEmail = c.customerEmail;
        EXPECT_EQ(details.buyerLabel(), c.expected) << c.name;
    }
}

TEST(ProviderError, DescriptionsAndCases) {
    const struct {
        ProviderError error;
        ProviderError::Case errorCase;
        QString description;
    } cases[] = {
        {ProviderError::apiError(QStringLiteral("  {\"error\":1}\n")), ProviderError::Case::apiError,
         QStringLiteral("  {\"error\":1}\n")},
        {ProviderError::notConfigured(), ProviderError::Case::notConfigured,
         QStringLiteral("Integration not configured.")},
        {ProviderError::invalidResponse(), ProviderError::Case::invalidResponse,
         QStringLiteral("Unexpected API response.")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.error.errorCase(), c.errorCase);
        EXPECT_EQ(c.error.description(), c.description);
    }
}

TEST(ProviderEvent, EqualityCoversEveryMember) {
    const QDateTime at(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
    StripeTransactionDetails tx;
    tx.amountCents = 1999;
    tx.chargeId = QStringLiteral("ch_1");
    const ProviderEvent base =
        ProviderEvent::stripe(IntegrationProvider::stripe, TriggerEventKind::stripeCharge, tx, at);

    EXPECT_EQ(base,
              ProviderEvent::stripe(IntegrationProvider::stripe, TriggerEventKind::stripeCharge, tx, at));
    EXPECT_NE(base, ProviderEvent::stripe(IntegrationProvider::stripe, TriggerEventKind::stripeCharge, tx,
                                          at.addSecs(1)));
    EXPECT_NE(base, ProviderEvent::stripe(IntegrationProvider::demo, TriggerEventKind::stripeCharge, tx, at));
    EXPECT_NE(base,
              ProviderEvent::stripe(IntegrationProvider::stripe, TriggerEventKind::stripeRefund, tx, at));
    StripeTransactionDetails other = tx;
    other.amountCents = 2000;
    EXPECT_NE(base,
              ProviderEvent::stripe(IntegrationProvider::stripe, TriggerEventKind::stripeCharge, other, at));

    const MetricIncreaseEvent rise{TriggerEventKind::stripeCustomers, MetricKind::customers, 1, 5, false};
    const ProviderEvent metric = ProviderEvent::metricIncrease(IntegrationProvider::stripe, rise, at);
    EXPECT_NE(base, metric);
    EXPECT_EQ(metric.eventKind(), TriggerEventKind::stripeCustomers);
    EXPECT_EQ(base.eventKind(), TriggerEventKind::stripeCharge);
    ASSERT_NE(metric.metricIncreaseKind(), nullptr);
    EXPECT_EQ(metric.stripeKind(), nullptr);
}

TEST(ProviderRequest, MissingOrEmptyCredentialSendsNothing) {
    const QUrl url(QStringLiteral("https://127.0.0.1/v1/events"));
    for (const std::optional<QString>& credential : {std::optional<QString>(), text("")}) {
        try {
            ProviderRequest::authorized(credential, url);
            ADD_FAILURE() << "expected notConfigured";
        } catch (const ProviderError& error) {
            EXPECT_EQ(error.errorCase(), ProviderError::Case::notConfigured);
        }
    }
}

TEST(ProviderRequest, BearerHeaderKeepsCredentialAsStored) {
    const QUrl url(QStringLiteral("https://127.0.0.1/v1/events?limit=100"));
    const HttpRequest request = ProviderRequest::authorized(text(" sk_test_1\n"), url);
    EXPECT_EQ(request.method, QByteArrayLiteral("GET"));
    EXPECT_EQ(request.url, url);
    EXPECT_EQ(request.header("authorization"), QByteArrayLiteral("Bearer  sk_test_1\n"));
    EXPECT_EQ(request.timeout, std::chrono::milliseconds(60000));
    EXPECT_EQ(ProviderRequest::authorized(text("k"), url, "POST").method, QByteArrayLiteral("POST"));
}

TEST(ProviderRequest, StatusCheck) {
    const QString fallback = QStringLiteral("Stripe API error");
    const struct {
        int status;
        QByteArray body;
        std::optional<QString> error;
    } cases[] = {
        {200, "{}", std::nullopt},
        {399, "whatever", std::nullopt},
        {400, "{\"error\":{\"message\":\"bad\"}}", QStringLiteral("{\"error\":{\"message\":\"bad\"}}")},
        {401, "caf\xc3\xa9", QStringLiteral("caf\u00e9")},
        {500, "", QString()},
        {503, "\xff\xfe broken", fallback},
    };
    for (const auto& c : cases) {
        HttpResponse response;
        response.status = c.status;
        response.body = c.body;
        try {
            ProviderRequest::checkStatus(response, fallback);
            EXPECT_FALSE(c.error) << c.status;
        } catch (const ProviderError& error) {
            ASSERT_TRUE(c.error) << c.status;
            EXPECT_EQ(error.errorCase(), ProviderError::Case::apiError);
            EXPECT_EQ(error.description(), *c.error);
        }
    }
}

TEST(ProviderRequest, DecodingFailuresAreDecodingErrors) {
    for (const QByteArray& body :
         {QByteArray("not json"), QByteArray("[1,2]"), QByteArray(""), QByteArray("{\"a\":")}) {
        EXPECT_THROW(ProviderRequest::decodeObject(body), DecodingError) << body.constData();
    }
    EXPECT_EQ(ProviderRequest::decodeObject("{\"a\":1}").value(QStringLiteral("a")).toInt(), 1);
}

} // namespace
