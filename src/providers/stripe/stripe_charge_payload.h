#pragma once

#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// One Stripe charge as decoded from a listing or an event. Member names follow the service's JSON keys.
// Decoding is strict: a missing required member or any member of the wrong type rejects the charge.
struct StripeChargePayload {
    struct BillingDetails {
        std::optional<QString> name;
        std::optional<QString> email;
        friend bool operator==(const BillingDetails&, const BillingDetails&) = default;
    };
    // A bare customer id (not expanded) gives a record with both fields absent.
    struct ExpandedCustomer {
        std::optional<QString> name;
        std::optional<QString> email;
        friend bool operator==(const ExpandedCustomer&, const ExpandedCustomer&) = default;
    };
    // A bare product id (the product is never expanded) gives a record with the name absent.
    struct Product {
        std::optional<QString> name;
        friend bool operator==(const Product&, const Product&) = default;
    };
    struct Price {
        std::optional<QString> nickname;
        std::optional<Product> product;
        friend bool operator==(const Price&, const Price&) = default;
    };
    struct LineItem {
        std::optional<QString> description;
        std::optional<Price> price;
        friend bool operator==(const LineItem&, const LineItem&) = default;
    };
    struct LineList {
        QList<LineItem> data;
        friend bool operator==(const LineList&, const LineList&) = default;
    };
    // A bare subscription id becomes `id`.
    struct SubscriptionRef {
        std::optional<QString> id;
        friend bool operator==(const SubscriptionRef&, const SubscriptionRef&) = default;
    };
    // A bare invoice id gives a record with every field absent.
    struct ExpandedInvoice {
        std::optional<LineList> lines;
        std::optional<QString> billing_reason;
        std::optional<SubscriptionRef> subscription;
        friend bool operator==(const ExpandedInvoice&, const ExpandedInvoice&) = default;
    };

    QString id;
    qint64 amount = 0;
    // ISO 4217, lower case as the service writes it; absent reads as US dollars.
    std::optional<QString> currency;
    std::optional<qint64> amount_refunded;
    bool paid = false;
    bool refunded = false;
    double created = 0.0; // seconds since 1970-01-01 UTC
    std::optional<QString> description;
    std::optional<QString> receipt_email;
    std::optional<BillingDetails> billing_details;
    std::optional<QMap<QString, QString>> metadata;
    std::optional<ExpandedCustomer> customer;
    std::optional<ExpandedInvoice> invoice;

    // A sale is a charge that went through and was not refunded as a whole.
    bool isSale() const { return paid && !refunded; }
    // The currency's code in upper case.
    QString currencyCode() const;

    static std::optional<StripeChargePayload> fromJson(const QJsonValue& value);

    friend bool operator==(const StripeChargePayload&, const StripeChargePayload&) = default;
};
