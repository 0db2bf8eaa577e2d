#pragma once

#include "providers/stripe/json_dictionary.h"

#include <QJsonValue>
#include <QString>
#include <optional>

// One event of the events listing. Every member is required.
struct StripeEventEnvelope {
    struct Data {
        // Its shape depends on `type`.
        JsonDictionary object;
        friend bool operator==(const Data&, const Data&) = default;
    };

    QString id;
    QString type;
    double created = 0.0; // seconds since 1970-01-01 UTC
    Data data;

    static std::optional<StripeEventEnvelope> fromJson(const QJsonValue& value);

    friend bool operator==(const StripeEventEnvelope&, const StripeEventEnvelope&) = default;
};
