#pragma once

#include "net/http_request.h"

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <optional>

// The requests the Stripe provider sends: paths, query items in the service's order, and headers.
namespace StripeRequests {

// Pins the object shapes this program reads, whatever version the account defaults to.
inline constexpr const char* apiVersion = "2024-06-20";
// Listings page on while the service says there is more, up to this many pages each.
inline constexpr int maxPagesPerListing = 10;
// The error text when a refusal's body is not UTF-8.
QString fallbackErrorText();

QUrl chargesUrl(const QString& base, const QDateTime& since,
                const std::optional<QString>& startingAfter = {});
QUrl subscriptionsUrl(const QString& base, const std::optional<QString>& startingAfter = {});
QUrl eventsUrl(const QString& base, const QDateTime& since);

// `since` in whole seconds since 1970-01-01 UTC, truncated toward zero, as the `created[gte]` value.
QString createdSince(const QDateTime& since);

// GET `url` with the bearer key and the version header. Throws ProviderError::notConfigured for an absent or
// empty key.
HttpRequest authorized(const std::optional<QString>& secretKey, const QUrl& url);

} // namespace StripeRequests
