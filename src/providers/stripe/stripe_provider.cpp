#include "providers/stripe/stripe_provider.h"

#include "model/credential_accounts.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"
#include "providers/stripe/stripe_event_list_response.h"
#include "providers/stripe/stripe_list_response.h"
#include "providers/stripe/stripe_metric_values.h"
#include "providers/stripe/stripe_requests.h"
#include "providers/stripe/stripe_subscription_page.h"

#include <exception>
#include <optional>
#include <utility>

namespace {

bool isHttpAnswer(const HttpResponse& response) {
    return response.status >= 100 && response.status <= 599;
}

// Both tasks are already running. Awaits the first, then the second, always both, so that neither outlives
// the call; a failure cancels the sibling's further pages. The first failure in that order is rethrown.
template <typename A, typename B>
QCoro::Task<std::pair<A, B>> awaitPair(QCoro::Task<A> first, QCoro::Task<B> second,
                                       StripeProvider::CancellationPtr cancellation) {
    std::exception_ptr failure;
    std::optional<A> a;
    std::optional<B> b;
    try {
        a = co_await std::move(first);
    } catch (...) {
        failure = std::current_exception();
        cancellation->cancelled = true;
    }
    try {
        b = co_await std::move(second);
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
    if (failure)
        std::rethrow_exception(failure);
    co_return std::pair<A, B>(std::move(*a), std::move(*b));
}

QDateTime validOr(const QDateTime& moment, const QDateTime& fallback) {
    return moment.isValid() ? moment : fallback;
}

} // namespace

StripeProvider::StripeProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                               const ServiceEndpoints& endpoints)
    : m_http(http), m_keychain(keychain), m_clock(clock), m_endpoints(endpoints) {}

QCoro::Task<QString> StripeProvider::requireSecretKey() {
    // Trimmed as the key check trims it: a key stored by hand with a line break would otherwise pass the
    // check and then break every request's header.
    const QString key =
        (co_await m_keychain.load(CredentialAccounts::stripeSecretKey())).value_or(QString()).trimmed();
    if (key.isEmpty())
        throw ProviderError::notConfigured();
    co_return key;
}

QCoro::Task<QList<StripeChargePayload>> StripeProvider::listCharges(QDateTime since, QString secretKey,
                                                                    CancellationPtr cancellation) {
    if (!cancellation)
        cancellation = std::make_shared<Cancellation>();
    QList<StripeChargePayload> charges;
    std::optional<QString> startingAfter;
    try {
        for (int page = 0; page < StripeRequests::maxPagesPerListing && !cancellation->cancelled; ++page) {
            const HttpResponse response = co_await m_http.send(StripeRequests::authorized(
                secretKey, StripeRequests::chargesUrl(m_endpoints.stripeApiBase, since, startingAfter)));
            if (!isHttpAnswer(response))
                throw ProviderError::invalidResponse();
            ProviderRequest::checkStatus(response, StripeRequests::fallbackErrorText());
            StripeListResponse list = StripeListResponse::decode(response.body);
            charges += std::move(list.data);
            if (!list.has_more || charges.isEmpty())
                break;
            startingAfter = charges.constLast().id;
        }
    } catch (...) {
        cancellation->cancelled = true;
        throw;
    }
    co_return charges;
}

QCoro::Task<std::optional<QList<QJsonObject>>>
StripeProvider::listSubscriptions(QString secretKey, CancellationPtr cancellation) {
    if (!cancellation)
        cancellation = std::make_shared<Cancellation>();
    QList<QJsonObject> subscriptions;
    std::optional<QString> startingAfter;
    try {
        for (int page = 0; page < StripeRequests::maxPagesPerListing && !cancellation->cancelled; ++page) {
            const HttpResponse response = co_await m_http.send(StripeRequests::authorized(
                secretKey, StripeRequests::subscriptionsUrl(m_endpoints.stripeApiBase, startingAfter)));
            // A refused page refuses the whole listing: figures from part of it would look complete.
            if (response.status == 401 || response.status == 403)
                co_return std::nullopt;
            if (!isHttpAnswer(response))
                throw ProviderError::invalidResponse();
            ProviderRequest::checkStatus(response, StripeRequests::fallbackErrorText());
            StripeSubscriptionPage list = StripeSubscriptionPage::decode(response.body);
            subscriptions += std::move(list.data);
            if (!list.has_more || subscriptions.isEmpty())
                break;
            const QJsonValue lastId = subscriptions.constLast().value(QLatin1String("id"));
            if (!lastId.isString())
                break;
            startingAfter = lastId.toString();
        }
    } catch (...) {
        cancellation->cancelled = true;
        throw;
    }
    co_return subscriptions;
}

QCoro::Task<QList<StripeEventEnvelope>> StripeProvider::listEvents(QDateTime since, QString secretKey) {
    const HttpResponse response = co_await m_http.send(
        StripeRequests::authorized(secretKey, StripeRequests::eventsUrl(m_endpoints.stripeApiBase, since)));
    if (!isHttpAnswer(response))
        throw ProviderError::invalidResponse();
    ProviderRequest::checkStatus(response, StripeRequests::fallbackErrorText());
    co_return StripeEventListResponse::decode(response.body).data;
}

QCoro::Task<MetricSnapshot> StripeProvider::fetchMetrics() {
    const QString key = co_await requireSecretKey();
    const QDateTime now = m_clock.now();
    const QDateTime todayStart = m_clock.startOfDay(now);
    const QDateTime weekStart = validOr(m_clock.addCalendarDays(todayStart, -7), todayStart);
    const QDateTime monthStart = validOr(m_clock.addCalendarDays(now, -30), now);

    // Tasks start as they are created: each pair runs concurrently.
    auto firstPair = std::make_shared<Cancellation>();
    auto today = listCharges(todayStart, key, firstPair);
    auto week = listCharges(weekStart, key, firstPair);
    const auto [todayCharges, weekCharges] = co_await awaitPair(std::move(today), std::move(week), firstPair);

    auto secondPair = std::make_shared<Cancellation>();
    auto month = listCharges(monthStart, key, secondPair);
    auto subscriptionList = listSubscriptions(key, secondPair);
    const auto [monthCharges, subscriptions] =
        co_await awaitPair(std::move(month), std::move(subscriptionList), secondPair);

    const QString currency = StripeMetricValues::majorityCurrency(monthCharges);
    const QList<StripeChargePayload> monthInCurrency = StripeMetricValues::inCurrency(monthCharges, currency);
    const QDateTime recentStart = validOr(m_clock.addCalendarDays(m_clock.now(), -7), m_clock.now());
    const SubscriptionStats subscriptionStats =
        subscriptions ? SubscriptionStats::compute(*subscriptions, recentStart, currency)
                      : SubscriptionStats{};

    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::stripe;
    snapshot.currencyCode = currency;
    snapshot.values = StripeMetricValues::compute(StripeMetricValues::inCurrency(todayCharges, currency),
                                                  StripeMetricValues::inCurrency(weekCharges, currency),
                                                  monthInCurrency, subscriptionStats, currency);
    snapshot.displaySummary = StripeMetricValues::displaySummary(
        snapshot.value(MetricKind::revenueToday), subscriptionStats.subscribers, currency,
        monthCharges.size() - monthInCurrency.size());
    snapshot.fetchedAt = m_clock.now();
    co_return snapshot;
}

QCoro::Task<QList<ProviderEvent>> StripeProvider::fetchEvents(QDateTime since) {
    const QString key = co_await requireSecretKey();
    const QDateTime listingStart = m_clock.now();
    if (m_previousListingStart) {
        const QDateTime overlapStart = m_previousListingStart->addSecs(-listingOverlapSeconds);
        if (!since.isValid() || overlapStart < since)
            since = overlapStart;
    }
    QList<StripeEventEnvelope> envelopes = co_await listEvents(since, key);
    // Only a complete, decoded listing moves the cursor; every failure above leaves it as it was.
    QList<ProviderEvent> events = m_cursor.absorb(std::move(envelopes), since);
    m_previousListingStart = listingStart;
    co_return events;
}

void StripeProvider::resetEventsState() {
    m_cursor.reset();
    m_previousListingStart.reset();
}
