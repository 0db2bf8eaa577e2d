#pragma once

#include "model/clock.h"
#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "providers/metric_provider.h"
#include "providers/stripe/stripe_charge_payload.h"
#include "providers/stripe/stripe_event_envelope.h"
#include "providers/stripe/stripe_events_cursor.h"
#include "providers/stripe/subscription_stats.h"

#include <QString>
#include <memory>

// Revenue and subscription figures and the instant events of one Stripe account. The secret key is read
// from the credential store at every call.
class StripeProvider final : public MetricProvider {
public:
    StripeProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                   const ServiceEndpoints& endpoints);

    IntegrationProvider provider() const override { return IntegrationProvider::stripe; }
    // Four listings: charges since local midnight with charges since a week back, then charges of the last
    // thirty days with the subscriptions. A failed charges listing fails the poll. The figures are in the
    // currency of most of the thirty days' charges; charges in other currencies are left out.
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    // New events, oldest first; the first call after creation or reset reports nothing. After a successful
    // listing the next one asks from that listing's start less an overlap (or from `since`, when earlier), so
    // that events created during a poll or stamped by a clock behind this one are still listed; the cursor
    // drops those already reported.
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;
    void resetEventsState() override;

    static constexpr qint64 listingOverlapSeconds = 600;

    const StripeEventsCursor& eventsCursor() const { return m_cursor; }

    // Set when one listing of a pair fails, so that its sibling stops paging. A request already on the wire
    // still finishes: the HTTP layer has no way to abort it.
    struct Cancellation {
        bool cancelled = false;
    };
    using CancellationPtr = std::shared_ptr<Cancellation>;

    QCoro::Task<QList<StripeChargePayload>> listCharges(QDateTime since, QString secretKey,
                                                        CancellationPtr cancellation = {});
    // Every subscription, or nothing when refused with 401 or 403 (a key without access to subscriptions:
    // its figures read as zeros). Any other failure, a passing one included, is raised, so that no zeros are
    // published for figures that were not read.
    QCoro::Task<std::optional<QList<QJsonObject>>> listSubscriptions(QString secretKey,
                                                                     CancellationPtr cancellation = {});
    // One request, one page.
    QCoro::Task<QList<StripeEventEnvelope>> listEvents(QDateTime since, QString secretKey);

private:
    QCoro::Task<QString> requireSecretKey();

    HttpClient& m_http;
    KeychainStore& m_keychain;
    Clock& m_clock;
    ServiceEndpoints m_endpoints;
    StripeEventsCursor m_cursor;
    std::optional<QDateTime> m_previousListingStart;
};
