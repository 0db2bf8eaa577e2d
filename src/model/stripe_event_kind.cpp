#include "model/stripe_event_kind.h"

namespace StripeEventKinds {

QString rawValue(StripeEventKind kind) {
    switch (kind) {
    case StripeEventKind::purchase:
        return QStringLiteral("purchase");
    case StripeEventKind::refund:
        return QStringLiteral("refund");
    }
    return {};
}

std::optional<StripeEventKind> fromRawValue(const QString& raw) {
    for (StripeEventKind kind : {StripeEventKind::purchase, StripeEventKind::refund}) {
        if (raw == rawValue(kind))
            return kind;
    }
    return std::nullopt;
}

} // namespace StripeEventKinds
