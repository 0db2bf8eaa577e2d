#include "providers/stripe/stripe_event_mapper.h"

#include "providers/stripe/stripe_charge_details_mapper.h"

#include <QDateTime>
#include <cmath>

namespace StripeEventMapper {

namespace {

using Details = StripeTransactionDetails;

// The object's own currency, when it names one.
void readCurrency(Details& details, const JsonDictionary& object) {
    if (const auto code = object.string(QStringLiteral("currency")); code && !code->isEmpty())
        details.currencyCode = code->toUpper();
}

std::optional<Details> chargeSucceeded(const JsonDictionary& object) {
    const auto charge = parseCharge(object);
    if (!charge)
        return std::nullopt;
    return StripeChargeDetailsMapper::map(*charge);
}

std::optional<Details> chargeRefunded(const JsonDictionary& object) {
    auto details = chargeSucceeded(object);
    if (!details)
        return std::nullopt;
    // The event itself says it is a refund, whatever the embedded charge's flag says.
    details->isRefund = true;
    details->headline = std::nullopt;
    return details;
}

Details subscriptionCreated(const JsonDictionary& object) {
    Details details;
    details.amountCents = object.integer(QStringLiteral("plan")).value_or(0);
    readCurrency(details, object);
    details.chargeId = object.string(QStringLiteral("id")).value_or(QStringLiteral("sub"));
    details.customerEmail = object.string(QStringLiteral("customer"));
    details.productName = QStringLiteral("New subscription");
    if (const auto items = object.dictionary(QStringLiteral("items")))
        details.planOrPackage = items->string(QStringLiteral("id"));
    details.headline = QStringLiteral("New subscriber");
    return details;
}

Details subscriptionUpdated(const JsonDictionary& object) {
    Details details;
    details.chargeId = object.string(QStringLiteral("id")).value_or(QStringLiteral("sub"));
    details.productName = QStringLiteral("Subscription updated");
    details.planOrPackage = object.string(QStringLiteral("status"));
    details.headline = QStringLiteral("Plan or status changed");
    return details;
}

Details subscriptionCanceled(const JsonDictionary& object) {
    Details details;
    details.chargeId = object.string(QStringLiteral("id")).value_or(QStringLiteral("sub"));
    details.productName = QStringLiteral("Subscription canceled");
    details.headline = QStringLiteral("Customer churned");
    return details;
}

std::optional<Details> invoicePaid(const JsonDictionary& object) {
    // Only renewals: first invoices and manual ones are reported by their other events.
    if (object.string(QStringLiteral("billing_reason")) != QStringLiteral("subscription_cycle"))
        return std::nullopt;
    Details details;
    details.amountCents = object.integer(QStringLiteral("amount_paid")).value_or(0);
    readCurrency(details, object);
    details.chargeId = object.string(QStringLiteral("id")).value_or(QStringLiteral("invoice"));
    details.customerEmail = object.string(QStringLiteral("customer_email"));
    details.productName = QStringLiteral("Subscription renewal");
    details.headline = QStringLiteral("Recurring invoice paid");
    return details;
}

Details checkoutCompleted(const JsonDictionary& object) {
    Details details;
    details.amountCents = object.integer(QStringLiteral("amount_total")).value_or(0);
    readCurrency(details, object);
    details.chargeId = object.string(QStringLiteral("id")).value_or(QStringLiteral("checkout"));
    if (const auto customer = object.dictionary(QStringLiteral("customer_details"))) {
        details.customerName = customer->string(QStringLiteral("name"));
        details.customerEmail = customer->string(QStringLiteral("email"));
    }
    details.productName = QStringLiteral("Checkout completed");
    details.headline = QStringLiteral("Checkout session complete");
    return details;
}

QDateTime occurredAt(double created) {
    // Whole milliseconds; a value no date can hold falls back to the epoch rather than an invalid time.
    const double msecs = std::trunc(created * 1000.0);
    if (!(msecs >= -8.64e18 && msecs <= 8.64e18))
        return QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(msecs), Qt::UTC);
}

} // namespace

const QStringList& handledTypes() {
    static const QStringList types = {
        QStringLiteral("charge.succeeded"),
        QStringLiteral("charge.refunded"),
        QStringLiteral("customer.subscription.created"),
        QStringLiteral("customer.subscription.updated"),
        QStringLiteral("customer.subscription.deleted"),
        QStringLiteral("invoice.payment_succeeded"),
        QStringLiteral("checkout.session.completed"),
    };
    return types;
}

std::optional<StripeChargePayload> parseCharge(const JsonDictionary& object) {
    return StripeChargePayload::fromJson(object.values());
}

QList<ProviderEvent> map(const StripeEventEnvelope& envelope) {
    const JsonDictionary& object = envelope.data.object;
    const QString& type = envelope.type;
    std::optional<Details> details;
    TriggerEventKind kind = TriggerEventKind::stripeCharge;
    if (type == QLatin1String("charge.succeeded")) {
        details = chargeSucceeded(object);
    } else if (type == QLatin1String("charge.refunded")) {
        kind = TriggerEventKind::stripeRefund;
        details = chargeRefunded(object);
    } else if (type == QLatin1String("customer.subscription.created")) {
        kind = TriggerEventKind::stripeNewSubscription;
        details = subscriptionCreated(object);
    } else if (type == QLatin1String("customer.subscription.updated")) {
        kind = TriggerEventKind::stripeSubscriptionUpdated;
        details = subscriptionUpdated(object);
    } else if (type == QLatin1String("customer.subscription.deleted")) {
        kind = TriggerEventKind::stripeSubscriptionCanceled;
        details = subscriptionCanceled(object);
    } else if (type == QLatin1String("invoice.payment_succeeded")) {
        kind = TriggerEventKind::stripeSubscriptionRenewal;
        details = invoicePaid(object);
    } else if (type == QLatin1String("checkout.session.completed")) {
        kind = TriggerEventKind::stripeCheckoutComplete;
        details = checkoutCompleted(object);
    }
    if (!details)
        return {};
    return {ProviderEvent::stripe(IntegrationProvider::stripe, kind, std::move(*details),
                                  occurredAt(envelope.created))};
}

} // namespace StripeEventMapper
