#pragma once

#include "model/integration_provider.h"
#include "model/metric_increase_event.h"
#include "model/trigger_event_kind.h"
#include "providers/stripe_transaction_details.h"

#include <QDateTime>
#include <variant>

// Something that happened at a source and may fire triggers.
struct ProviderEvent {
    // A payment-side event: one of the seven instant Stripe kinds and the transaction it describes.
    struct Stripe {
        TriggerEventKind eventKind;
        StripeTransactionDetails details;
        friend bool operator==(const Stripe&, const Stripe&) = default;
    };
    using Kind = std::variant<Stripe, MetricIncreaseEvent>;

    IntegrationProvider provider = IntegrationProvider::demo;
    Kind kind;
    QDateTime occurredAt;

    static ProviderEvent stripe(IntegrationProvider provider, TriggerEventKind eventKind,
                                StripeTransactionDetails details, QDateTime occurredAt) {
        return ProviderEvent{provider, Stripe{eventKind, std::move(details)}, std::move(occurredAt)};
    }
    static ProviderEvent metricIncrease(IntegrationProvider provider, MetricIncreaseEvent event,
                                        QDateTime occurredAt) {
        return ProviderEvent{provider, std::move(event), std::move(occurredAt)};
    }

    // The trigger kind this event answers to, whichever alternative it is.
    TriggerEventKind eventKind() const {
        if (const auto* s = std::get_if<Stripe>(&kind))
            return s->eventKind;
        return std::get<MetricIncreaseEvent>(kind).eventKind;
    }
    const Stripe* stripeKind() const { return std::get_if<Stripe>(&kind); }
    const MetricIncreaseEvent* metricIncreaseKind() const { return std::get_if<MetricIncreaseEvent>(&kind); }

    friend bool operator==(const ProviderEvent&, const ProviderEvent&) = default;
};
