#include "providers/stripe/stripe_charge_details_mapper.h"
#include "providers/stripe/stripe_event_list_response.h"
#include "providers/stripe/stripe_event_mapper.h"
#include "providers/stripe/stripe_list_response.h"
#include "stripe_test_support.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace StripeTesting;
using Charge = StripeChargePayload;

namespace {

std::optional<QString> text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

StripeTransactionDetails details(qint64 amount, const char* id, std::optional<QString> name,
                                 std::optional<QString> email, std::optional<QString> product,
                                 std::optional<QString> plan, bool refund, std::optional<QString> headline) {
    return StripeTransactionDetails{amount,  QString::fromUtf8(id), name, email, product, plan, refund,
                                    headline};
}

StripeEventEnvelope envelope(const char* type, const char* objectJson, double created = 1796655000) {
    StripeEventEnvelope e;
    e.id = QStringLiteral("evt_1");
    e.type = QString::fromUtf8(type);
    e.created = created;
    e.data.object = JsonDictionary(QJsonDocument::fromJson(objectJson).object());
    return e;
}

} // namespace

TEST(StripeChargeDetailsMapper, FirstNonEmpty) {
    using StripeChargeDetailsMapper::firstNonEmpty;
    EXPECT_EQ(firstNonEmpty({}), std::nullopt);
    EXPECT_EQ(firstNonEmpty({std::nullopt, text(" \n\t"), text("")}), std::nullopt);
    EXPECT_EQ(firstNonEmpty({std::nullopt, text("  "), text(" Pro \n"), text("Team")}), text("Pro"));
}

TEST(StripeChargeDetailsMapper, PicksBuyerAndProductFromTheirFallbacks) {
    const StripeListResponse list = StripeListResponse::decode(readFixture("account_charges.json"));
    const struct {
        int index;
        StripeTransactionDetails expected;
    } cases[] = {
        // Name from the expanded customer, e-mail from receipt_email; the product id is bare, so the line's
        // description names the product and the price nickname the plan.
        {0, details(4900, "ch_3QA1Today0001", text("Ada Lovelace"), text("ada@analytical.example"),
                    text("1 \u00d7 Pro (at $49.00 / month)"), text("Pro monthly"), false, std::nullopt)},
        // Billing details trimmed; blank metadata entries skipped for the next ones.
        {1, details(1999, "ch_3QA2Today0002", text("Bob Stone"), text("bob@stone.example"),
                    text("Sticker pack"), text("Single"), false, std::nullopt)},
        // Refunded: the flag follows the charge; no e-mail anywhere.
        {2, details(2500, "ch_3QA3Today0003", text("Cy Twombly"), std::nullopt, text("Poster print"),
                    std::nullopt, true, std::nullopt)},
        {3, details(3000, "ch_3QA4Today0004", text("Dee"), std::nullopt, std::nullopt, text("Gold"), false,
                    std::nullopt)},
        // An expanded product's name wins over everything else.
        {4, details(10000, "ch_3QY1Yday00005", text("Ada Lovelace"), text("ada@analytical.example"),
                    text("Team plan"), std::nullopt, false, std::nullopt)},
        {5, details(5000, "ch_3QW1Week00006", text("Eve Adams"), text("eve@adams.example"),
                    text("Workshop seat"), text("Early bird"), false, std::nullopt)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripeChargeDetailsMapper::map(list.data[c.index]), c.expected) << c.index;
}

TEST(StripeChargeDetailsMapper, MetadataOrderAndBlankCandidates) {
    Charge charge;
    charge.id = QStringLiteral("ch_1");
    charge.billing_details = Charge::BillingDetails{text("   "), text("\n")};
    charge.customer = Charge::ExpandedCustomer{text("Customer Name"), text("customer@example.com")};
    charge.receipt_email = text(" receipt@example.com ");
    charge.description = text(" ");
    charge.invoice = Charge::ExpandedInvoice{Charge::LineList{}, std::nullopt, std::nullopt};
    charge.metadata = QMap<QString, QString>{{QStringLiteral("item"), QStringLiteral("Item")},
                                             {QStringLiteral("product"), QStringLiteral("Product")},
                                             {QStringLiteral("price"), QStringLiteral("Price")},
                                             {QStringLiteral("tier"), QStringLiteral("Tier")}};
    const StripeTransactionDetails mapped = StripeChargeDetailsMapper::map(charge);
    EXPECT_EQ(mapped.customerName, text("Customer Name"));
    EXPECT_EQ(mapped.customerEmail, text("receipt@example.com"));
    // "product" comes before "item", "tier" before "price", whatever the map's own order.
    EXPECT_EQ(mapped.productName, text("Product"));
    EXPECT_EQ(mapped.planOrPackage, text("Tier"));
}

TEST(StripeEventMapper, MapsEveryFixtureEvent) {
    const StripeEventListResponse list = StripeEventListResponse::decode(readFixture("events.json"));
    const auto at = [](qint64 seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC); };
    const auto stripe = [&](TriggerEventKind kind, StripeTransactionDetails d, qint64 seconds) {
        return QList<ProviderEvent>{
            ProviderEvent::stripe(IntegrationProvider::stripe, kind, std::move(d), at(seconds))};
    };
    const QMap<QString, QList<ProviderEvent>> expected = {
        {QStringLiteral("evt_1QCharge"),
         stripe(TriggerEventKind::stripeCharge,
                details(4900, "ch_3QEv1Charge01", text("Ada Lovelace"), text("ada@analytical.example"),
                        text("Subscription creation"), std::nullopt, false, std::nullopt),
                1796655000)},
        // Zero-amount checkout: still reported, amount 0.
        {QStringLiteral("evt_1QCheckout"),
         stripe(TriggerEventKind::stripeCheckoutComplete,
                details(0, "cs_test_a1Zero", text("Ivy Chen"), text("ivy@ivy.example"),
                        text("Checkout completed"), std::nullopt, false, text("Checkout session complete")),
                1796654900)},
        {QStringLiteral("evt_1QUnhandled"), {}},
        // amount_paid 1999.7 is truncated toward zero.
        {QStringLiteral("evt_1QInvCycle"),
         stripe(TriggerEventKind::stripeSubscriptionRenewal,
                details(1999, "in_1QCycle", std::nullopt, text("bob@stone.example"),
                        text("Subscription renewal"), std::nullopt, false, text("Recurring invoice paid")),
                1796654800)},
        // A first invoice is not a renewal.
        {QStringLiteral("evt_1QInvCreate"), {}},
        // `plan` is an object, so no amount; `items` is a list object without an id of its own.
        {QStringLiteral("evt_1QSubCreated"),
         stripe(TriggerEventKind::stripeNewSubscription,
                details(0, "sub_1QNew09", std::nullopt, text("cus_QHal0008"), text("New subscription"),
                        std::nullopt, false, text("New subscriber")),
                1796654700)},
        {QStringLiteral("evt_1QSubUpdated"),
         stripe(TriggerEventKind::stripeSubscriptionUpdated,
                details(0, "sub_1QAda02", std::nullopt, std::nullopt, text("Subscription updated"),
                        text("past_due"), false, text("Plan or status changed")),
                1796654620)},
        {QStringLiteral("evt_1QSubDeleted"),
         stripe(TriggerEventKind::stripeSubscriptionCanceled,
                details(0, "sub_1QEve06", std::nullopt, std::nullopt, text("Subscription canceled"),
                        std::nullopt, false, text("Customer churned")),
                1796654620)},
        // The embedded charge lacks `paid`: unreadable, so nothing.
        {QStringLiteral("evt_1QNoPaid"), {}},
        // The embedded charge says refunded=false; the event type decides.
        {QStringLiteral("evt_1QRefund"),
         stripe(TriggerEventKind::stripeRefund,
                details(2500, "ch_3QEv2Refund02", std::nullopt, text("cy@twombly.example"),
                        text("Poster print"), text("Print club"), true, std::nullopt),
                1796654500)},
    };
    ASSERT_EQ(list.data.size(), expected.size());
    for (const StripeEventEnvelope& e : list.data)
        EXPECT_EQ(StripeEventMapper::map(e), expected.value(e.id)) << e.id.toStdString();
}

TEST(StripeEventMapper, FallbackWordsAndEdgeValues) {
    const struct {
        const char* name;
        StripeEventEnvelope envelope;
        std::optional<StripeTransactionDetails> expected;
    } cases[] = {
        {"subscription without id",
         envelope("customer.subscription.created", R"({"plan":4900,"items":{"id":"x"}})"),
         details(4900, "sub", std::nullopt, std::nullopt, text("New subscription"), text("x"), false,
                 text("New subscriber"))},
        {"subscription id not text", envelope("customer.subscription.deleted", R"({"id":5})"),
         details(0, "sub", std::nullopt, std::nullopt, text("Subscription canceled"), std::nullopt, false,
                 text("Customer churned"))},
        {"updated without status", envelope("customer.subscription.updated", R"({"id":"sub_9","status":7})"),
         details(0, "sub_9", std::nullopt, std::nullopt, text("Subscription updated"), std::nullopt, false,
                 text("Plan or status changed"))},
        {"renewal without id",
         envelope("invoice.payment_succeeded", R"({"billing_reason":"subscription_cycle"})"),
         details(0, "invoice", std::nullopt, std::nullopt, text("Subscription renewal"), std::nullopt, false,
                 text("Recurring invoice paid"))},
        {"renewal of a huge amount",
         envelope("invoice.payment_succeeded",
                  R"({"billing_reason":"subscription_cycle","amount_paid":1e300})"),
         details(0, "invoice", std::nullopt, std::nullopt, text("Subscription renewal"), std::nullopt, false,
                 text("Recurring invoice paid"))},
        {"manual invoice",
         envelope("invoice.payment_succeeded", R"({"billing_reason":"manual","amount_paid":5})"),
         std::nullopt},
        {"invoice without reason", envelope("invoice.payment_succeeded", R"({})"), std::nullopt},
        {"checkout without details", envelope("checkout.session.completed", R"({"customer_details":"x"})"),
         details(0, "checkout", std::nullopt, std::nullopt, text("Checkout completed"), std::nullopt, false,
                 text("Checkout session complete"))},
        {"type differs in case", envelope("Charge.Succeeded", R"({"id":"c","amount":1,"paid":true,
                                          "refunded":false,"created":1})"),
         std::nullopt},
    };
    for (const auto& c : cases) {
        const QList<ProviderEvent> events = StripeEventMapper::map(c.envelope);
        if (!c.expected) {
            EXPECT_TRUE(events.isEmpty()) << c.name;
            continue;
        }
        ASSERT_EQ(events.size(), 1) << c.name;
        EXPECT_EQ(events[0].stripeKind()->details, *c.expected) << c.name;
        EXPECT_EQ(events[0].provider, IntegrationProvider::stripe);
    }
}
