#pragma once

#include "providers/stripe/stripe_charge_payload.h"
#include "providers/stripe_transaction_details.h"

#include <QString>
#include <initializer_list>
#include <optional>

// What the reaction banner shows for one charge, picked from wherever the charge names its buyer and product.
namespace StripeChargeDetailsMapper {

StripeTransactionDetails map(const StripeChargePayload& charge);

// The first candidate that is present and not blank, trimmed.
std::optional<QString> firstNonEmpty(std::initializer_list<std::optional<QString>> candidates);

} // namespace StripeChargeDetailsMapper
