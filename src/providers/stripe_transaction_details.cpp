#include "providers/stripe_transaction_details.h"

namespace {
std::optional<QString> trimmedOrAbsent(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    QString trimmed = text->trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    return trimmed;
}
} // namespace

std::optional<QString> StripeTransactionDetails::buyerLabel() const {
    const std::optional<QString> name = trimmedOrAbsent(customerName);
    const std::optional<QString> email = trimmedOrAbsent(customerEmail);
    if (name && email)
        return *name + QStringLiteral(" \u00B7 ") + *email;
    if (name)
        return name;
    return email;
}
