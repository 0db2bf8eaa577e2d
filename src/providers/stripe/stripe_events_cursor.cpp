#include "providers/stripe/stripe_events_cursor.h"

#include "providers/stripe/stripe_event_mapper.h"

#include <algorithm>

QList<ProviderEvent> StripeEventsCursor::absorb(QList<StripeEventEnvelope> envelopes,
                                                const QDateTime& since) {
    std::stable_sort(
        envelopes.begin(), envelopes.end(),
        [](const StripeEventEnvelope& a, const StripeEventEnvelope& b) { return a.created < b.created; });
    QList<ProviderEvent> events;
    for (const StripeEventEnvelope& envelope : envelopes) {
        if (!m_hasInitializedCursor) {
            m_seenEventIds.insert(envelope.id, envelope.created);
            continue;
        }
        if (m_seenEventIds.contains(envelope.id))
            continue;
        // Recorded even when nothing is reported for it, so it is never looked at again.
        m_seenEventIds.insert(envelope.id, envelope.created);
        events += StripeEventMapper::map(envelope);
    }
    if (since.isValid()) {
        const double horizon = static_cast<double>(since.toMSecsSinceEpoch()) / 1000.0 - forgetAfterSeconds;
        m_seenEventIds.removeIf(
            [horizon](const QHash<QString, double>::iterator& it) { return it.value() < horizon; });
    }
    m_hasInitializedCursor = true;
    return events;
}

void StripeEventsCursor::reset() {
    m_seenEventIds.clear();
    m_hasInitializedCursor = false;
}
