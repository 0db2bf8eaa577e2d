#pragma once

#include "model/enum_names.h"

#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace StripeEventKinds {
Q_NAMESPACE

// Only for reading triggers stored in an older form, which named their Stripe event under `stripeEvent`.
// Never written.
enum class StripeEventKind { purchase, refund };
Q_ENUM_NS(StripeEventKind)

inline QString rawValue(StripeEventKind kind) {
    return EnumNames::rawValue(kind);
}
inline std::optional<StripeEventKind> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<StripeEventKind>(raw);
}
} // namespace StripeEventKinds

using StripeEventKinds::StripeEventKind;
