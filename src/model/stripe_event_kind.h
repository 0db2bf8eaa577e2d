#pragma once

#include <QString>
#include <optional>

// Only for reading triggers stored in an older form, which named their Stripe event under `stripeEvent`.
// Never written.
enum class StripeEventKind { purchase, refund };

namespace StripeEventKinds {
QString rawValue(StripeEventKind kind);
std::optional<StripeEventKind> fromRawValue(const QString& raw);
} // namespace StripeEventKinds
