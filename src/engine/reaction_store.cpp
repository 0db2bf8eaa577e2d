#include "engine/reaction_store.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace {
std::chrono::milliseconds displayTime(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0)
        return std::chrono::milliseconds(0);
    // Timers count in a signed 32-bit number of milliseconds; anything longer stays until then.
    const double maxMs = double(std::numeric_limits<int>::max());
    return std::chrono::milliseconds(qint64(std::min(seconds * 1000.0, maxMs)));
}
} // namespace

ReactionStore::ReactionStore(Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {}

ActiveReaction ReactionStore::append(const ReactionConfig& config, const QString& subtitle,
                                     const std::optional<ReactionDetails>& details, double durationSeconds) {
    ActiveReaction reaction{QUuid::createUuid(), config, subtitle, details, m_clock.now()};
    if (m_onWillAppend)
        m_onWillAppend(reaction);
    const QUuid id = reaction.id;
    m_reactions.append(reaction);
    // The store is the timer's context, so a removal never outlives it.
    m_clock.callAfter(displayTime(durationSeconds), this, [this, id] { remove(id); });
    Q_EMIT reactionsChanged();
    return reaction;
}

void ReactionStore::remove(const QUuid& id) {
    const qsizetype removed = m_reactions.removeIf([&id](const ActiveReaction& r) { return r.id == id; });
    if (removed > 0)
        Q_EMIT reactionsChanged();
}
