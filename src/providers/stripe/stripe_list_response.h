#pragma once

#include "providers/stripe/stripe_charge_payload.h"

#include <QByteArray>
#include <QList>

// One page of the charges listing.
struct StripeListResponse {
    QList<StripeChargePayload> data;
    // More charges follow the last one of `data`.
    bool has_more = false;

    // Throws DecodingError when the body is not JSON, has no `data` array, or any charge is unreadable.
    static StripeListResponse decode(const QByteArray& body);
};
