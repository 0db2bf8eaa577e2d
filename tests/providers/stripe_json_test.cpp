#include "providers/decoding_error.h"
#include "providers/stripe/any_decodable.h"
#include "providers/stripe/json_dictionary.h"
#include "providers/stripe/json_numbers.h"
#include "providers/stripe/stripe_event_list_response.h"
#include "providers/stripe/stripe_event_mapper.h"
#include "providers/stripe/stripe_list_response.h"
#include "providers/stripe/stripe_subscription_page.h"
#include "stripe_test_support.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace StripeTesting;
using Charge = StripeChargePayload;

namespace {

QJsonValue member(const char* literal) {
    const QByteArray json = QByteArray("{\"v\":") + literal + "}";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << literal;
    return document.object().value(QLatin1String("v"));
}

QJsonObject parseObject(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

std::optional<QString> text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(StripeJsonNumbers, LooseAndExactIntegerReadings) {
    const struct {
        const char* literal;
        std::optional<qint64> loose; // AnyDecodable::intValue
        std::optional<qint64> exact; // what a strictly decoded integer member accepts
    } cases[] = {
        {"1999", 1999, 1999},
        {"1999.7", 1999, std::nullopt},
        {"-1999.7", -1999, std::nullopt},
        {"2000.0", 2000, 2000},
        {"0", 0, 0},
        {"-0", 0, 0},
        {"1e-300", 0, std::nullopt},
        {"9007199254740993", 9007199254740993LL, 9007199254740993LL},
        {"9223372036854775807", 9223372036854775807LL, 9223372036854775807LL},
        {"9223372036854775808", std::nullopt, std::nullopt},
        {"-1e19", std::nullopt, std::nullopt},
        {"1e30", std::nullopt, std::nullopt},
        {"-1e308", std::nullopt, std::nullopt},
        {"true", std::nullopt, std::nullopt},
        {"\"12\"", std::nullopt, std::nullopt},
        {"null", std::nullopt, std::nullopt},
        {"{\"a\":1}", std::nullopt, std::nullopt},
        {"[1]", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const QJsonValue value = member(c.literal);
        EXPECT_EQ(AnyDecodable(value).intValue(), c.loose) << c.literal;
        EXPECT_EQ(JsonNumbers::exactInteger(value), c.exact) << c.literal;
    }
}

TEST(StripeJsonNumbers, DictionaryReadingsNeverFail) {
    const JsonDictionary object(
        parseObject(R"({"s":"text","n":12.9,"o":{"id":"x"},"a":[{"id":"y"}],"z":null,"b":false})"));
    EXPECT_EQ(object.string(QStringLiteral("s")), text("text"));
    EXPECT_EQ(object.string(QStringLiteral("n")), std::nullopt);
    EXPECT_EQ(object.integer(QStringLiteral("n")), 12);
    EXPECT_EQ(object.integer(QStringLiteral("b")), std::nullopt);
    EXPECT_EQ(object.dictionary(QStringLiteral("o"))->string(QStringLiteral("id")), text("x"));
    EXPECT_EQ(object.dictionary(QStringLiteral("a")), std::nullopt);
    EXPECT_TRUE(object.value(QStringLiteral("z")).isNull());
    EXPECT_TRUE(object.value(QStringLiteral("missing")).isNull());
    EXPECT_EQ(object.dictionary(QStringLiteral("missing")), std::nullopt);
    EXPECT_EQ(JsonDictionary::fromJson(QJsonValue(QStringLiteral("{}"))), std::nullopt);
}

TEST(StripeChargePayload, DecodesTheFixtureListing) {
    const StripeListResponse list = StripeListResponse::decode(readFixture("account_charges.json"));
    ASSERT_EQ(list.data.size(), 10);
    EXPECT_FALSE(list.has_more);

    // Expanded customer and invoice; the price's product arrives as a bare id.
    const Charge& subscriptionCharge = list.data[0];
    EXPECT_EQ(subscriptionCharge.id, QStringLiteral("ch_3QA1Today0001"));
    EXPECT_EQ(subscriptionCharge.amount, 4900);
    EXPECT_EQ(subscriptionCharge.created, 1796653800.0);
    EXPECT_EQ(subscriptionCharge.customer,
              (Charge::ExpandedCustomer{text("Ada Lovelace"), text("ada@analytical.example")}));
    ASSERT_TRUE(subscriptionCharge.invoice && subscriptionCharge.invoice->lines);
    EXPECT_EQ(subscriptionCharge.invoice->billing_reason, text("subscription_create"));
    EXPECT_EQ(subscriptionCharge.invoice->subscription, Charge::SubscriptionRef{text("sub_1QAda01")});
    ASSERT_EQ(subscriptionCharge.invoice->lines->data.size(), 1);
    const Charge::LineItem& line = subscriptionCharge.invoice->lines->data[0];
    EXPECT_EQ(line.description, text("1 \u00d7 Pro (at $49.00 / month)"));
    EXPECT_EQ(line.price, (Charge::Price{text("Pro monthly"), Charge::Product{std::nullopt}}));
    EXPECT_EQ(subscriptionCharge.billing_details, (Charge::BillingDetails{std::nullopt, std::nullopt}));

    // A bare customer id, no invoice, metadata.
    const Charge& metadataCharge = list.data[1];
    EXPECT_EQ(metadataCharge.customer, Charge::ExpandedCustomer{});
    EXPECT_EQ(metadataCharge.invoice, std::nullopt);
    EXPECT_EQ(metadataCharge.metadata->value(QStringLiteral("product")), QStringLiteral("Sticker pack"));

    // A bare invoice id is a present invoice with nothing in it.
    const Charge& refundedCharge = list.data[2];
    EXPECT_TRUE(refundedCharge.paid && refundedCharge.refunded);
    EXPECT_EQ(refundedCharge.amount_refunded, 2500);
    EXPECT_EQ(refundedCharge.invoice, Charge::ExpandedInvoice{});

    EXPECT_FALSE(list.data[3].paid);
    // An expanded product object gives its name; a null subscription stays absent.
    const Charge& teamCharge = list.data[4];
    EXPECT_EQ(teamCharge.invoice->lines->data[0].price->product, Charge::Product{text("Team plan")});
    EXPECT_EQ(teamCharge.invoice->subscription, std::nullopt);
}

TEST(StripeChargePayload, RejectsMissingOrMistypedMembers) {
    // Each case changes one member of a valid charge (an absent value removes the member).
    const struct {
        const char* name;
        const char* key;
        std::optional<const char*> json;
        bool decodes;
    } cases[] = {
        {"unchanged", "description", "\"Mug\"", true},
        {"unknown member", "brand_new_member", "{\"x\":[1,2]}", true},
        {"no id", "id", std::nullopt, false},
        {"numeric id", "id", "42", false},
        {"no amount", "amount", std::nullopt, false},
        {"amount as text", "amount", "\"4900\"", false},
        {"fractional amount", "amount", "49.5", false},
        {"amount beyond 64 bits", "amount", "1e30", false},
        {"no paid", "paid", std::nullopt, false},
        {"paid null", "paid", "null", false},
        {"paid as text", "paid", "\"true\"", false},
        {"no refunded", "refunded", std::nullopt, false},
        {"no created", "created", std::nullopt, false},
        {"created as text", "created", "\"1796653800\"", false},
        {"fractional created", "created", "1796653800.25", true},
        {"amount_refunded null", "amount_refunded", "null", true},
        {"amount_refunded as text", "amount_refunded", "\"0\"", false},
        {"description null", "description", "null", true},
        {"description number", "description", "5", false},
        {"receipt_email object", "receipt_email", "{}", false},
        {"billing_details null", "billing_details", "null", true},
        {"billing_details text", "billing_details", "\"Ada\"", false},
        {"billing name number", "billing_details", "{\"name\":3}", false},
        {"metadata text values", "metadata", "{\"plan\":\"Pro\"}", true},
        {"metadata number value", "metadata", "{\"plan\":1}", false},
        {"metadata array", "metadata", "[]", false},
        {"customer id", "customer", "\"cus_1\"", true},
        {"customer object", "customer", "{\"name\":null,\"email\":\"a@b.c\"}", true},
        {"customer number", "customer", "42", false},
        {"customer array", "customer", "[]", false},
        {"customer email number", "customer", "{\"email\":7}", false},
        {"invoice id", "invoice", "\"in_1\"", true},
        {"invoice lines without data", "invoice", "{\"lines\":{}}", false},
        {"invoice line not an object", "invoice", "{\"lines\":{\"data\":[5]}}", false},
        {"product id", "invoice", "{\"lines\":{\"data\":[{\"price\":{\"product\":\"prod_1\"}}]}}", true},
        {"product number", "invoice", "{\"lines\":{\"data\":[{\"price\":{\"product\":7}}]}}", false},
        {"price text", "invoice", "{\"lines\":{\"data\":[{\"price\":\"price_1\"}]}}", false},
        {"subscription object", "invoice", "{\"subscription\":{\"id\":\"sub_1\"}}", true},
        {"subscription number", "invoice", "{\"subscription\":5}", false},
        {"billing_reason number", "invoice", "{\"billing_reason\":1}", false},
    };
    for (const auto& c : cases) {
        QJsonObject charge = minimalCharge(QStringLiteral("ch_1"), 1200, 1796653800);
        if (c.json)
            charge.insert(QString::fromUtf8(c.key), member(*c.json));
        else
            charge.remove(QString::fromUtf8(c.key));
        EXPECT_EQ(Charge::fromJson(charge).has_value(), c.decodes) << c.name;
    }
}

TEST(StripeListResponse, OneBadChargeFailsTheWholeList) {
    QJsonArray charges = fixtureData("account_charges.json");
    QJsonObject broken = charges[5].toObject();
    broken.remove(QStringLiteral("paid"));
    charges[5] = broken;
    EXPECT_THROW(StripeListResponse::decode(listBody(charges)), DecodingError);

    const QByteArray bodies[] = {
        "", "not json", "[]", "{}", "{\"data\":null}", "{\"data\":{}}", "{\"data\":[null]}"};
    for (const QByteArray& body : bodies)
        EXPECT_THROW(StripeListResponse::decode(body), DecodingError) << body.constData();

    EXPECT_TRUE(StripeListResponse::decode(R"({"data":[],"has_more":true})").has_more);
    EXPECT_FALSE(StripeListResponse::decode(R"({"data":[],"has_more":"yes"})").has_more);
}

TEST(StripeEventListResponse, DecodesEveryFixtureEventAndFailsWholeOnAMissingCreated) {
    const StripeEventListResponse list = StripeEventListResponse::decode(readFixture("events.json"));
    ASSERT_EQ(list.data.size(), 10);
    EXPECT_EQ(list.data[0].id, QStringLiteral("evt_1QCharge"));
    EXPECT_EQ(list.data[0].type, QStringLiteral("charge.succeeded"));
    EXPECT_EQ(list.data[0].created, 1796655000.0);
    EXPECT_EQ(list.data[0].data.object.string(QStringLiteral("id")), text("ch_3QEv1Charge01"));

    EXPECT_THROW(StripeEventListResponse::decode(readFixture("events_missing_created.json")), DecodingError);

    const QByteArray invalid[] = {
        R"({"data":[{"id":"e","type":"t","created":1,"data":{"object":"ch_1"}}]})",
        R"({"data":[{"id":"e","type":"t","created":1,"data":{}}]})",
        R"({"data":[{"id":"e","type":"t","created":1,"data":[]}]})",
        R"({"data":[{"id":"e","type":5,"created":1,"data":{"object":{}}}]})",
        R"({"data":[{"id":null,"type":"t","created":1,"data":{"object":{}}}]})",
        R"({"data":[{"id":"e","type":"t","created":"1","data":{"object":{}}}]})",
    };
    for (const QByteArray& body : invalid)
        EXPECT_THROW(StripeEventListResponse::decode(body), DecodingError) << body.constData();
}

TEST(StripeDecoders, SurviveHostileBytes) {
    QByteArray deep = R"({"data":[{"id":"e","type":"charge.succeeded","created":1,"data":{"object":{"x":)";
    deep += QByteArray(200000, '[') + QByteArray(200000, ']') + "}}}]}";
    QByteArray nestedOk =
        R"({"data":[{"id":"e","type":"charge.succeeded","created":1,"data":{"object":{"x":)";
    nestedOk += QByteArray(500, '[') + QByteArray(500, ']') + "}}}]}";
    const QByteArray bodies[] = {
        QByteArray(),
        QByteArray("\xff\xfe\x00\x01garbage", 11),
        "{\"data\":[{",
        "null",
        "{\"data\":[{\"id\":\"e\",\"type\":\"x\",\"created\":1e308,\"data\":{\"object\":{}}}]}",
        "{\"data\":[{\"id\":\"e\",\"type\":\"charge.succeeded\",\"created\":-1e308,\"data\":{\"object\":"
        "{\"id\":\"c\",\"amount\":1e300,\"paid\":true,\"refunded\":false,\"created\":1}}}]}",
        "{\"data\":[{\"id\":\"e\",\"type\":\"invoice.payment_succeeded\",\"created\":1,\"data\":{\"object\":"
        "{\"billing_reason\":\"subscription_cycle\",\"amount_paid\":-1e300,\"id\":[]}}}]}",
        "{\"data\":[{\"id\":\"e\",\"type\":\"customer.subscription.created\",\"created\":1,\"data\":{"
        "\"object\":"
        "{\"plan\":1e300,\"items\":[1],\"customer\":{\"id\":1}}}}]}",
        "{\"data\":[{\"id\":\"e\",\"type\":\"checkout.session.completed\",\"created\":1,\"data\":{\"object\":"
        "{\"customer_details\":\"x\",\"amount_total\":\"12\"}}}]}",
        "{\"data\":[{\"id\":\"e\",\"type\":\"charge.refunded\",\"created\":1,\"data\":{\"object\":"
        "{\"id\":\"c\",\"amount\":5,\"paid\":true,\"refunded\":false,\"created\":1,\"invoice\":{\"lines\":"
        "{\"data\":[{\"price\":{\"product\":{\"name\":[]}}}]}}}}}]}",
        deep,
        nestedOk,
    };
    for (const QByteArray& body : bodies) {
        try {
            for (const auto& envelope : StripeEventListResponse::decode(body).data) {
                for (const ProviderEvent& event : StripeEventMapper::map(envelope))
                    EXPECT_TRUE(event.occurredAt.isValid());
            }
        } catch (const DecodingError&) {
        }
        EXPECT_THROW(StripeListResponse::decode(body), DecodingError);
        try {
            (void)StripeSubscriptionPage::decode(body);
        } catch (const DecodingError&) {
        }
    }
}

TEST(StripeSubscriptionPage, ReadsLenientlyButFailsOnNonJson) {
    const struct {
        const char* body;
        int count;
        bool hasMore;
    } cases[] = {
        {R"({"data":[{"id":"sub_1"},{"id":"sub_2"}],"has_more":true})", 2, true},
        {R"({"data":[{"id":"sub_1"},5]})", 0, false},
        {R"({"data":{"id":"sub_1"}})", 0, false},
        {R"([{"id":"sub_1"}])", 0, false},
        {R"({"error":{"message":"nope"}})", 0, false},
    };
    for (const auto& c : cases) {
        const StripeSubscriptionPage page = StripeSubscriptionPage::decode(c.body);
        EXPECT_EQ(page.data.size(), c.count) << c.body;
        EXPECT_EQ(page.has_more, c.hasMore) << c.body;
    }
    EXPECT_THROW(StripeSubscriptionPage::decode("{\"data\":["), DecodingError);
}
