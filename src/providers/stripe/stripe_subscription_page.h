#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>

// One page of the subscriptions listing, read leniently: only a body that is not JSON at all fails.
struct StripeSubscriptionPage {
    QList<QJsonObject> data;
    bool has_more = false;

    // Throws DecodingError when the body is not JSON. A body that is not an object, or whose `data` is not an
    // array of objects, gives an empty page.
    static StripeSubscriptionPage decode(const QByteArray& body);
};
