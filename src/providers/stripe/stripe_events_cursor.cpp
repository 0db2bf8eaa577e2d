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
    if (since.isValid())
        forgetOlderThan(static_cast<double>(since.toMSecsSinceEpoch()) / 1000.0 - forgetAfterSeconds);
    m_hasInitializedCursor = true;
    return events;
}

void StripeEventsCursor::forgetOlderThan(double horizon) {
    if (m_seenEventIds.size() <= alwaysKept)
        return;
    QList<std::pair<double, QString>> stale;
    for (auto it = m_seenEventIds.constBegin(); it != m_seenEventIds.constEnd(); ++it) {
        if (it.value() < horizon)
            stale.append({it.value(), it.key()});
    }
    std::sort(stale.begin(), stale.end());
    const qsizetype excess = std::min(m_seenEventIds.size() - alwaysKept, stale.size());
    for (qsizetype i = 0; i < excess; ++i)
        m_seenEventIds.remove(stale.at(i).second);
}

void StripeEventsCursor::reset() {
    m_seenEventIds.clear();
    m_hasInitializedCursor = false;
}
