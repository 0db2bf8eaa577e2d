#include "providers/stripe/stripe_subscription_page.h"

#include "providers/decoding_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

StripeSubscriptionPage StripeSubscriptionPage::decode(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(error.errorString());
    StripeSubscriptionPage page;
    if (!document.isObject())
        return page;
    const QJsonObject object = document.object();
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!data.isArray())
        return page;
    const QJsonArray subscriptions = data.toArray();
    page.data.reserve(subscriptions.size());
    for (const QJsonValue& subscription : subscriptions) {
        // One element of another kind means this is not a list of subscriptions at all.
        if (!subscription.isObject())
            return StripeSubscriptionPage{};
        page.data.append(subscription.toObject());
    }
    page.has_more = object.value(QLatin1String("has_more")).toBool(false);
    return page;
}
