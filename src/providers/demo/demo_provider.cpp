#include "providers/demo/demo_provider.h"

#include "model/c_format.h"
#include "model/clock.h"
#include "model/random_source.h"
#include "model/tavik_event_catalog.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kEventBatchGapMs = 45 * 1000;

template <typename T> const T& pick(RandomSource& random, const QList<T>& items) {
    return items.at(random.index(items.size()));
}

} // namespace

DemoProvider::DemoProvider(Clock& clock, RandomSource& random)
    : m_clock(clock), m_random(random), m_lastEventAt(clock.now()) {}

QString DemoProvider::mailDomain() {
    return QStringLiteral("example.com");
}
QString DemoProvider::refundEmail() {
    return QStringLiteral("refund.demo@example.com");
}
QString DemoProvider::subscriberEmail() {
    return QStringLiteral("subscriber.demo@example.com");
}
QString DemoProvider::checkoutEmail() {
    return QStringLiteral("checkout.demo@example.com");
}

QString DemoProvider::displaySummary(double revenue, double sessions) {
    return cFormat("Demo: $%.0f \u00B7 %.0f sessions", revenue, sessions);
}

QCoro::Task<MetricSnapshot> DemoProvider::fetchMetrics() {
    co_return nextSnapshot();
}

QCoro::Task<QList<ProviderEvent>> DemoProvider::fetchEvents(QDateTime since) {
    Q_UNUSED(since);
    co_return nextEvents();
}

MetricSnapshot DemoProvider::nextSnapshot() {
    m_revenueToday += m_random.uniformReal(0, 8);
    m_sessionsToday += m_random.uniformReal(0, 3);
    m_visitorsToday += m_random.uniformReal(0, 2);
    m_clicksToday += m_random.uniformReal(0, 2);
    m_totalVisits += m_random.uniformReal(0, 5);
    if (m_random.uniformReal(0, 1) > 0.85)
        m_subscribers += 1;
    m_avgPosition = std::max(m_avgPosition - m_random.uniformReal(0, 0.05), 1.0);

    const double r = m_revenueToday;
    const double se = m_sessionsToday;
    const double vi = m_visitorsToday;
    const double c = m_clicksToday;
    const double s = m_subscribers;
    const double imp = c * 14;
    const double ctrDenominator = imp <= 1 ? 1 : imp;

    using M = MetricKind;
    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::demo;
    snapshot.values = {
        {M::revenueToday, r},
        {M::revenue7d, r * 4.2},
        {M::totalRevenue, r * 48},
        {M::mrr, r * 12},
        {M::recurringMrr, r * 8},
        {M::arr, r * 96},
        {M::customers, s + 4},
        {M::trials, 2},
        {M::subscribers, s},
        {M::newSubscribers, 1},
        {M::charges, std::floor(r / 29)},
        {M::purchaseCountToday, std::floor(r / 29)},
        {M::refundCountToday, std::round(m_random.uniformReal(0, 1))},
        {M::totalVisits, m_totalVisits},
        {M::sessions, se},
        {M::sessionsYesterday, se * 0.9},
        {M::sessions7d, se * 5},
        {M::pageviews, se * 2.5},
        {M::users, se * 0.7},
        {M::usersYesterday, se * 0.65},
        {M::users7d, se * 4},
        {M::usersGrowth, 12.5},
        {M::newUsers, se * 0.4},
        {M::signups, 3},
        {M::engagedSessions, se * 0.6},
        {M::activeUsers, 5},
        {M::sessionsToday, se},
        {M::usersToday, se * 0.7},
        {M::pageviewsToday, se * 2.5},
        {M::datafastSessions, se * 0.8},
        {M::datafastVisitors, vi},
        {M::datafastRevenue, r * 0.6},
        {M::datafastGoals, std::floor(vi / 5)},
        {M::visitorsToday, vi},
        {M::goalCompletionsToday, std::floor(vi / 5)},
        {M::clicks, c},
        {M::impressions, imp},
        {M::avgPosition, m_avgPosition},
        {M::ctr, c / ctrDenominator * 100},
        {M::clicksToday, c},
        {M::impressionsToday, imp},
    };
    snapshot.fetchedAt = m_clock.now();
    snapshot.displaySummary = displaySummary(r, se);
    return snapshot;
}

QList<ProviderEvent> DemoProvider::nextEvents() {
    const QDateTime now = m_clock.now();
    if (m_lastEventAt.msecsTo(now) <= kEventBatchGapMs)
        return {};
    m_lastEventAt = now;

    QList<ProviderEvent> events;
    if (m_random.coinFlip()) {
        if (m_random.uniformReal(0, 1) < 0.25)
            events.append(ProviderEvent::stripe(IntegrationProvider::demo, TriggerEventKind::stripeRefund,
                                                randomDemoRefundDetails(), now));
    } else {
        events.append(ProviderEvent::stripe(IntegrationProvider::demo, TriggerEventKind::stripeCharge,
                                            randomDemoPurchaseDetails(), now));
    }
    if (m_random.uniformReal(0, 1) < 0.2)
        events.append(randomStripeEvent(now));
    if (m_random.uniformReal(0, 1) < 0.35)
        events.append(randomMetricEvent(now));
    return events;
}

QString DemoProvider::randomChargeId() {
    // The first eight characters of a random UUID are 32 random bits, upper-case hexadecimal.
    const qint64 bits = m_random.uniformInt(0, 0xFFFFFFFFLL);
    return QStringLiteral("demo_ch_") + QStringLiteral("%1").arg(bits, 8, 16, QLatin1Char('0')).toUpper();
}

StripeTransactionDetails DemoProvider::randomDemoPurchaseDetails() {
    static const QStringList names = {QStringLiteral("Alex Chen"), QStringLiteral("Sarah Miller"),
                                      QStringLiteral("Jordan Lee"), QStringLiteral("Morgan Blake"),
                                      QStringLiteral("Taylor Kim")};
    static const QStringList products = {QStringLiteral("Zingboard Pro"), QStringLiteral("Indie Hacker Kit"),
                                         QStringLiteral("Lifetime Deal"), QStringLiteral("Team License")};
    static const QStringList plans = {QStringLiteral("Monthly"), QStringLiteral("Annual"),
                                      QStringLiteral("Lifetime"), QStringLiteral("Starter pack")};
    StripeTransactionDetails tx;
    tx.amountCents = m_random.uniformInt(900, 14900);
    tx.chargeId = randomChargeId();
    const QString name = pick(m_random, names);
    tx.customerName = name;
    tx.customerEmail =
        name.toLower().replace(QLatin1Char(' '), QLatin1Char('.')) + QLatin1Char('@') + mailDomain();
    tx.productName = pick(m_random, products);
    tx.planOrPackage = pick(m_random, plans);
    tx.isRefund = false;
    return tx;
}

StripeTransactionDetails DemoProvider::randomDemoRefundDetails() {
    StripeTransactionDetails tx;
    tx.amountCents = m_random.uniformInt(900, 4900);
    tx.chargeId = randomChargeId();
    tx.customerName = QStringLiteral("Jamie Refund");
    tx.customerEmail = refundEmail();
    tx.productName = QStringLiteral("Zingboard Pro");
    tx.planOrPackage = QStringLiteral("Monthly");
    tx.isRefund = true;
    return tx;
}

ProviderEvent DemoProvider::randomStripeEvent(const QDateTime& now) {
    static const QList<TriggerEventKind> kinds = {
        TriggerEventKind::stripeCheckoutComplete, TriggerEventKind::stripeNewSubscription,
        TriggerEventKind::stripeSubscriptionRenewal, TriggerEventKind::stripeSubscriptionUpdated,
        TriggerEventKind::stripeSubscriptionCanceled};
    const TriggerEventKind kind = pick(m_random, kinds);
    StripeTransactionDetails tx;
    switch (kind) {
    case TriggerEventKind::stripeCheckoutComplete:
        tx.amountCents = m_random.uniformInt(900, 9900);
        tx.chargeId = QStringLiteral("demo_checkout");
        tx.customerName = QStringLiteral("Checkout User");
        tx.customerEmail = checkoutEmail();
        tx.productName = QStringLiteral("Lifetime Deal");
        tx.headline = QStringLiteral("Checkout completed");
        break;
    case TriggerEventKind::stripeNewSubscription:
        tx.amountCents = 1900;
        tx.chargeId = QStringLiteral("demo_sub_new");
        tx.customerEmail = subscriberEmail();
        tx.productName = QStringLiteral("Zingboard Pro");
        tx.planOrPackage = QStringLiteral("Monthly");
        tx.headline = QStringLiteral("New subscriber");
        break;
    case TriggerEventKind::stripeSubscriptionRenewal:
        tx.amountCents = 1900;
        tx.chargeId = QStringLiteral("demo_sub_renew");
        tx.customerEmail = subscriberEmail();
        tx.productName = QStringLiteral("Zingboard Pro");
        tx.planOrPackage = QStringLiteral("Monthly");
        tx.headline = QStringLiteral("Subscription renewed");
        break;
    case TriggerEventKind::stripeSubscriptionUpdated:
        tx.amountCents = 0;
        tx.chargeId = QStringLiteral("demo_sub_update");
        tx.productName = QStringLiteral("Subscription updated");
        tx.planOrPackage = QStringLiteral("Annual");
        tx.headline = QStringLiteral("Plan changed");
        break;
    default:
        tx.amountCents = 0;
        tx.chargeId = QStringLiteral("demo_sub_cancel");
        tx.productName = QStringLiteral("Subscription canceled");
        tx.isRefund = true;
        tx.headline = QStringLiteral("Customer churned");
        break;
    }
    return ProviderEvent::stripe(IntegrationProvider::demo, kind, tx, now);
}

ProviderEvent DemoProvider::randomMetricEvent(const QDateTime& now) {
    static const QList<TavikEventDefinition> withMetric = [] {
        QList<TavikEventDefinition> rows;
        for (const TavikEventDefinition& row : TavikEventCatalog::all()) {
            if (row.metricKind)
                rows.append(row);
        }
        return rows;
    }();
    const TavikEventDefinition& d = pick(m_random, withMetric);
    MetricIncreaseEvent rise;
    rise.eventKind = d.kind;
    rise.metric = *d.metricKind;
    rise.lowerIsBetter = *d.metricKind == MetricKind::avgPosition;
    rise.delta = m_random.uniformReal(1, 8);
    rise.totalValue = rise.delta + m_random.uniformReal(10, 200);
    // The catalog row's provider, not demo: it matches that provider's triggers only while it is active.
    return ProviderEvent::metricIncrease(d.provider, rise, now);
}
