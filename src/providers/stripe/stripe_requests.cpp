#include "providers/stripe/stripe_requests.h"

#include "net/url_building.h"
#include "providers/provider_request.h"
#include "providers/stripe/stripe_event_mapper.h"

namespace StripeRequests {

namespace {

using Query = QList<UrlBuilding::QueryItem>;

UrlBuilding::QueryItem item(const char* name, const QString& value) {
    return {QString::fromLatin1(name), value};
}

void appendCursor(Query& query, const std::optional<QString>& startingAfter) {
    if (startingAfter)
        query.append(item("starting_after", *startingAfter));
}

} // namespace

QString fallbackErrorText() {
    return QStringLiteral("Stripe API error");
}

QString createdSince(const QDateTime& since) {
    // An invalid moment asks for everything rather than for a nonsense bound.
    const qint64 msecs = since.isValid() ? since.toMSecsSinceEpoch() : 0;
    return QString::number(msecs / 1000);
}

QUrl chargesUrl(const QString& base, const QDateTime& since, const std::optional<QString>& startingAfter) {
    // Expansions stay within four levels (the list's "data." counts); deeper ones are refused with 400.
    Query query = {
        item("limit", QStringLiteral("100")),
        item("created[gte]", createdSince(since)),
        item("expand[]", QStringLiteral("data.customer")),
        item("expand[]", QStringLiteral("data.invoice")),
    };
    appendCursor(query, startingAfter);
    return UrlBuilding::buildUrl(base, QStringLiteral("/v1/charges"), query);
}

QUrl subscriptionsUrl(const QString& base, const std::optional<QString>& startingAfter) {
    Query query = {
        item("limit", QStringLiteral("100")),
        item("status", QStringLiteral("all")),
        item("expand[]", QStringLiteral("data.items.data.price")),
    };
    appendCursor(query, startingAfter);
    return UrlBuilding::buildUrl(base, QStringLiteral("/v1/subscriptions"), query);
}

QUrl eventsUrl(const QString& base, const QDateTime& since) {
    Query query = {
        item("limit", QStringLiteral("100")),
        item("created[gte]", createdSince(since)),
    };
    for (const QString& type : StripeEventMapper::handledTypes())
        query.append(item("types[]", type));
    return UrlBuilding::buildUrl(base, QStringLiteral("/v1/events"), query);
}

HttpRequest authorized(const std::optional<QString>& secretKey, const QUrl& url) {
    HttpRequest request = ProviderRequest::authorized(secretKey, url);
    request.setHeader(QByteArrayLiteral("Stripe-Version"), QByteArray(apiVersion));
    return request;
}

} // namespace StripeRequests
