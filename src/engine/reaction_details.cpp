#include "engine/reaction_details.h"

#include "providers/demo/demo_provider.h"

#include "model/c_format.h"
#include "model/currency_format.h"
#include "model/tavik_event_catalog.h"

#include <QStringList>
#include <algorithm>

namespace {
QString dollars(qint64 cents) {
    return CurrencyFormat::formatMinorUnits(cents, CurrencyFormat::defaultCode());
}

const QString& pick(const QStringList& options, RandomSource& random) {
    return options.at(random.index(options.size()));
}
} // namespace

std::optional<QString> ReactionDetails::formattedAmount() const {
    if (context == ReactionContext::goal && currentValue && targetValue) {
        return isCurrencyMetric
                   ? CurrencyFormat::format(*currentValue, currencyCode) + QStringLiteral(" / ") +
                         CurrencyFormat::format(*targetValue, currencyCode)
                   : cFormat("%.0f / %.0f", *currentValue, *targetValue);
    }
    if (!amountCents)
        return amountLine;
    return CurrencyFormat::formatMinorUnits(*amountCents, currencyCode);
}

ReactionDetails ReactionDetails::fromStripe(const StripeTransactionDetails& tx,
                                            std::optional<TriggerEventKind> eventKind) {
    ReactionDetails details;
    if (eventKind)
        details.context = TavikEventCatalog::definition(*eventKind).reactionContext;
    else
        details.context = tx.isRefund ? ReactionContext::refund : ReactionContext::purchase;
    details.headline = tx.headline;
    details.buyerLine = tx.buyerLabel();
    details.productLine = tx.productName;
    details.planLine = tx.planOrPackage;
    details.amountLine = CurrencyFormat::formatMinorUnits(tx.amountCents, tx.currencyCode) +
                         (tx.isRefund ? QStringLiteral(" refunded") : QStringLiteral(" paid"));
    details.amountCents = tx.amountCents;
    details.currencyCode = tx.currencyCode;
    return details;
}

ReactionDetails ReactionDetails::fromMetricEvent(const MetricIncreaseEvent& event) {
    const TavikEventDefinition& definition = TavikEventCatalog::definition(event.eventKind);
    ReactionDetails details;
    details.context = definition.reactionContext;
    details.headline = definition.displayName;
    details.amountLine = event.formattedDelta() + QStringLiteral(" \u00B7 ") + event.formattedTotal();
    details.metricLabel = MetricKinds::displayName(event.metric);
    details.currentValue = event.totalValue;
    details.targetValue = event.delta;
    details.currencyCode = event.currencyCode;
    return details;
}

ReactionDetails ReactionDetails::forGoal(MetricKind metric, double current, double target,
                                         const QString& currencyCode) {
    ReactionDetails details;
    details.context = ReactionContext::goal;
    details.metricLabel = MetricKinds::displayName(metric);
    details.currentValue = current;
    details.targetValue = target;
    details.isCurrencyMetric = MetricKinds::isCurrency(metric);
    details.currencyCode = currencyCode;
    return details;
}

ReactionDetails ReactionDetails::demoPurchase(RandomSource& random) {
    static const QStringList names = {QStringLiteral("Alex Chen"), QStringLiteral("Sarah Miller"),
                                      QStringLiteral("Jordan Lee"), QStringLiteral("Morgan Blake"),
                                      QStringLiteral("Taylor Kim")};
    static const QStringList products = {QStringLiteral("Zingboard Pro"), QStringLiteral("Indie Hacker Kit"),
                                         QStringLiteral("Lifetime Deal"), QStringLiteral("Team License")};
    static const QStringList plans = {QStringLiteral("Monthly"), QStringLiteral("Annual"),
                                      QStringLiteral("Lifetime"), QStringLiteral("Starter pack")};
    const QString name = pick(names, random);
    const QString email = name.toLower().replace(QLatin1Char(' '), QLatin1Char('.')) + QLatin1Char('@') +
                          DemoProvider::mailDomain();
    ReactionDetails details;
    details.context = ReactionContext::purchase;
    details.buyerLine = name + QStringLiteral(" \u00B7 ") + email;
    details.productLine = pick(products, random);
    details.planLine = pick(plans, random);
    const qint64 cents = random.uniformInt(900, 14900);
    details.amountCents = cents;
    details.amountLine = dollars(cents) + QStringLiteral(" paid");
    return details;
}

ReactionDetails ReactionDetails::demoRefund(RandomSource& random) {
    ReactionDetails details;
    details.context = ReactionContext::refund;
    details.buyerLine = DemoProvider::refundEmail();
    details.productLine = QStringLiteral("Zingboard Pro");
    details.planLine = QStringLiteral("Monthly");
    const qint64 cents = random.uniformInt(1900, 4900);
    details.amountCents = cents;
    details.amountLine = dollars(cents) + QStringLiteral(" refunded");
    return details;
}

ReactionDetails ReactionDetails::demo(TriggerEventKind kind, RandomSource& random) {
    const TavikEventDefinition& definition = TavikEventCatalog::definition(kind);
    if (definition.isInstantStripeEvent) {
        switch (kind) {
        case TriggerEventKind::stripeNewSubscription:
        case TriggerEventKind::stripeSubscriptionRenewal:
        case TriggerEventKind::stripeSubscriptionUpdated: {
            ReactionDetails details;
            details.context = definition.reactionContext;
            details.buyerLine = DemoProvider::subscriberEmail();
            details.productLine = QStringLiteral("Zingboard Pro");
            details.planLine = QStringLiteral("Monthly");
            details.amountLine = QStringLiteral("$19.00");
            details.amountCents = 1900;
            return details;
        }
        case TriggerEventKind::stripeSubscriptionCanceled:
        case TriggerEventKind::stripeRefund:
            return demoRefund(random);
        default:
            return demoPurchase(random);
        }
    }
    const MetricKind metric = definition.metricKind.value_or(MetricKind::sessions);
    const double delta = demoDelta(metric, random);
    const double total = demoTotal(metric, delta, random);
    return fromMetricEvent(
        MetricIncreaseEvent{kind, metric, delta, total, metric == MetricKind::avgPosition});
}

double ReactionDetails::demoDelta(MetricKind metric, RandomSource& random) {
    switch (metric) {
    case MetricKind::revenue7d:
    case MetricKind::totalRevenue:
    case MetricKind::mrr:
    case MetricKind::recurringMrr:
    case MetricKind::arr:
    case MetricKind::datafastRevenue:
        return random.uniformReal(5, 120);
    case MetricKind::usersGrowth:
    case MetricKind::ctr:
        return random.uniformReal(0.2, 2.5);
    case MetricKind::avgPosition:
        return random.uniformReal(0.1, 0.8);
    default:
        return random.uniformReal(1, 12);
    }
}

double ReactionDetails::demoTotal(MetricKind metric, double delta, RandomSource& random) {
    switch (metric) {
    case MetricKind::totalRevenue:
    case MetricKind::mrr:
    case MetricKind::datafastRevenue:
        return random.uniformReal(500, 8000) + delta;
    case MetricKind::usersGrowth:
        return random.uniformReal(1, 15) + delta;
    case MetricKind::avgPosition:
        return std::max(8.5 - delta, 1.0);
    case MetricKind::ctr:
        return std::min(delta + 3.2, 100.0);
    default:
        return random.uniformReal(10, 500) + delta;
    }
}
