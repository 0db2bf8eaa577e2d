#pragma once

#include "model/metric_snapshot.h"
#include "providers/metric_provider.h"
#include "providers/provider_event.h"
#include "providers/stripe_transaction_details.h"

#include <QDateTime>
#include <QList>

class Clock;
class RandomSource;

// Invented sales and traffic, so the program has something to react to without any account. The totals
// only grow while the process runs and start over at the next launch.
class DemoProvider final : public MetricProvider {
public:
    DemoProvider(Clock& clock, RandomSource& random);

    IntegrationProvider provider() const override { return IntegrationProvider::demo; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    // `since` is ignored: at most one batch per 45 seconds, whatever the poll interval.
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;

    // The synchronous bodies of the two calls above.
    MetricSnapshot nextSnapshot();
    QList<ProviderEvent> nextEvents();

    StripeTransactionDetails randomDemoPurchaseDetails();
    StripeTransactionDetails randomDemoRefundDetails();

    // The simulation buttons add a purchase directly and push the next batch back.
    double revenueToday() const { return m_revenueToday; }
    void addRevenue(double dollars) { m_revenueToday += dollars; }
    QDateTime lastEventAt() const { return m_lastEventAt; }
    void setLastEventAt(const QDateTime& moment) { m_lastEventAt = moment; }

    static QString mailDomain();
    static QString refundEmail();
    static QString subscriberEmail();
    static QString checkoutEmail();
    // "Demo: $r · se sessions" with both rounded to whole numbers.
    static QString displaySummary(double revenue, double sessions);

private:
    ProviderEvent randomStripeEvent(const QDateTime& now);
    ProviderEvent randomMetricEvent(const QDateTime& now);
    QString randomChargeId();

    Clock& m_clock;
    RandomSource& m_random;
    double m_revenueToday = 42;
    double m_sessionsToday = 18;
    double m_visitorsToday = 14;
    double m_clicksToday = 9;
    double m_totalVisits = 1200;
    double m_subscribers = 8;
    double m_avgPosition = 8.2;
    QDateTime m_lastEventAt;
};
