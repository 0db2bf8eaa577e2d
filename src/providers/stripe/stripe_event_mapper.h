#pragma once

#include "providers/provider_event.h"
#include "providers/stripe/json_dictionary.h"
#include "providers/stripe/stripe_charge_payload.h"
#include "providers/stripe/stripe_event_envelope.h"

#include <QList>
#include <QStringList>
#include <optional>

// Turns one Stripe event into at most one provider event. Unhandled types and unreadable objects give none.
namespace StripeEventMapper {

// The event types the feed asks for, in the order the request lists them.
const QStringList& handledTypes();

QList<ProviderEvent> map(const StripeEventEnvelope& envelope);

// The event's object read as a charge, with the same strict rules as a listed charge.
std::optional<StripeChargePayload> parseCharge(const JsonDictionary& object);

} // namespace StripeEventMapper
