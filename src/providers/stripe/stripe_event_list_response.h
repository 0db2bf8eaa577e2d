#pragma once

#include "providers/stripe/stripe_event_envelope.h"

#include <QByteArray>
#include <QList>

// The body of the events listing.
struct StripeEventListResponse {
    QList<StripeEventEnvelope> data;

    // Throws DecodingError when the body is not JSON, has no `data` array, or any one event is unreadable:
    // the whole list fails, so nothing of it is reported or recorded.
    static StripeEventListResponse decode(const QByteArray& body);
};
