#pragma once

#include "providers/provider_event.h"
#include "providers/stripe/stripe_event_envelope.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// Which Stripe events were already looked at, so that each is reported at most once. The first listing after
// creation or reset only primes it. An id is forgotten once its event is more than an hour older than the
// listing's lower bound: it can no longer be listed, so keeping it would only let the set grow for ever. The
// newest ids are kept whatever their age, so a local clock that jumps back cannot bring handled events back.
class StripeEventsCursor {
public:
    static constexpr double forgetAfterSeconds = 3600.0;
    static constexpr qsizetype alwaysKept = 1000;

    // Takes one successful listing made with created >= `since`, in the service's order, and returns the
    // events to report, oldest first (equal times keep the service's order).
    QList<ProviderEvent> absorb(QList<StripeEventEnvelope> envelopes, const QDateTime& since);

    void reset();
    bool isPrimed() const { return m_hasInitializedCursor; }
    bool hasSeen(const QString& id) const { return m_seenEventIds.contains(id); }
    qsizetype seenCount() const { return m_seenEventIds.size(); }

private:
    // Drops ids of events created before `horizon` (seconds), oldest first, down to alwaysKept ids.
    void forgetOlderThan(double horizon);

    // Event id -> its `created` seconds, for forgetting.
    QHash<QString, double> m_seenEventIds;
    bool m_hasInitializedCursor = false;
};
