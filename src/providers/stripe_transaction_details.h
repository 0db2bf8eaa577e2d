#pragma once

#include "model/currency_format.h"

#include <QString>
#include <optional>

// One payment-side transaction as the reaction banner shows it. Money in the currency's smallest unit.
struct StripeTransactionDetails {
    qint64 amountCents = 0;
    QString chargeId;
    std::optional<QString> customerName;
    std::optional<QString> customerEmail;
    std::optional<QString> productName;
    std::optional<QString> planOrPackage;
    bool isRefund = false;
    std::optional<QString> headline;
    // The currency of amountCents.
    QString currencyCode = CurrencyFormat::defaultCode();

    // "name · e-mail", or whichever of the two is non-blank; absent when neither is.
    std::optional<QString> buyerLabel() const;

    friend bool operator==(const StripeTransactionDetails&, const StripeTransactionDetails&) = default;
};
