#include "providers/stripe/stripe_charge_details_mapper.h"

namespace StripeChargeDetailsMapper {

namespace {

using Charge = StripeChargePayload;

std::optional<QString> metadataEntry(const Charge& charge, const char* key) {
    if (!charge.metadata)
        return std::nullopt;
    const auto it = charge.metadata->constFind(QLatin1String(key));
    if (it == charge.metadata->constEnd())
        return std::nullopt;
    return *it;
}

const Charge::LineItem* firstLine(const Charge& charge) {
    if (!charge.invoice || !charge.invoice->lines || charge.invoice->lines->data.isEmpty())
        return nullptr;
    return &charge.invoice->lines->data.constFirst();
}

} // namespace

std::optional<QString> firstNonEmpty(std::initializer_list<std::optional<QString>> candidates) {
    for (const auto& candidate : candidates) {
        if (!candidate)
            continue;
        QString trimmed = candidate->trimmed();
        if (!trimmed.isEmpty())
            return trimmed;
    }
    return std::nullopt;
}

StripeTransactionDetails map(const StripeChargePayload& charge) {
    const Charge::LineItem* line = firstLine(charge);
    const Charge::Price* price = line && line->price ? &*line->price : nullptr;
    const auto billing = [&](auto member) -> std::optional<QString> {
        return charge.billing_details ? (*charge.billing_details).*member : std::nullopt;
    };
    const auto customer = [&](auto member) -> std::optional<QString> {
        return charge.customer ? (*charge.customer).*member : std::nullopt;
    };

    StripeTransactionDetails details;
    details.amountCents = charge.amount;
    details.currencyCode = charge.currencyCode();
    details.chargeId = charge.id;
    details.customerName =
        firstNonEmpty({billing(&Charge::BillingDetails::name), customer(&Charge::ExpandedCustomer::name)});
    details.customerEmail = firstNonEmpty({billing(&Charge::BillingDetails::email), charge.receipt_email,
                                           customer(&Charge::ExpandedCustomer::email)});
    details.productName = firstNonEmpty({
        price && price->product ? price->product->name : std::nullopt,
        line ? line->description : std::nullopt,
        charge.description,
        metadataEntry(charge, "product_name"),
        metadataEntry(charge, "product"),
        metadataEntry(charge, "item"),
    });
    details.planOrPackage = firstNonEmpty({
        price ? price->nickname : std::nullopt,
        metadataEntry(charge, "plan"),
        metadataEntry(charge, "package"),
        metadataEntry(charge, "tier"),
        metadataEntry(charge, "price"),
    });
    details.isRefund = charge.refunded;
    details.headline = std::nullopt;
    return details;
}

} // namespace StripeChargeDetailsMapper
