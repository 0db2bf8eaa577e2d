#include "engine/reaction_copy.h"

#include "model/currency_format.h"
#include "model/tavik_event_catalog.h"

namespace {
QString stripeSubtitle(TriggerEventKind kind, const StripeTransactionDetails& tx) {
    if (const std::optional<QString> buyer = tx.buyerLabel())
        return *buyer;
    const QString amount = CurrencyFormat::formatMinorUnits(tx.amountCents, tx.currencyCode);
    switch (kind) {
    case TriggerEventKind::stripeCharge:
    case TriggerEventKind::stripeCheckoutComplete:
        return amount + QStringLiteral(" purchase");
    case TriggerEventKind::stripeRefund:
    case TriggerEventKind::stripeSubscriptionCanceled:
        return amount + QStringLiteral(" refund");
    case TriggerEventKind::stripeSubscriptionRenewal:
        return QStringLiteral("Subscription renewed");
    case TriggerEventKind::stripeNewSubscription:
    case TriggerEventKind::stripeSubscriptionUpdated:
        return QStringLiteral("New subscription");
    default:
        return TavikEventCatalog::definition(kind).displayName;
    }
}
} // namespace

ReactionCopy ReactionCopy::forEvent(const ProviderEvent& event) {
    if (const ProviderEvent::Stripe* stripe = event.stripeKind()) {
        return {stripeSubtitle(stripe->eventKind, stripe->details),
                ReactionDetails::fromStripe(stripe->details, stripe->eventKind)};
    }
    const MetricIncreaseEvent& rise = *event.metricIncreaseKind();
    return {rise.formattedDelta() + QLatin1Char(' ') + MetricKinds::displayName(rise.metric).toLower(),
            ReactionDetails::fromMetricEvent(rise)};
}
