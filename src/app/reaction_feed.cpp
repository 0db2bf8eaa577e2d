#include "app/reaction_feed.h"

#include "engine/reaction_store.h"

ReactionFeed::ReactionFeed(ReactionStore& store, QObject* parent) : QObject(parent), m_store(store) {
    for (const ActiveReaction& reaction : store.reactions())
        m_known.insert(reaction.id);
    connect(&store, &ReactionStore::reactionsChanged, this, &ReactionFeed::update);
}

void ReactionFeed::update() {
    // Copies: a receiver may change the store.
    const QList<ActiveReaction> current = m_store.reactions();
    QSet<QUuid> ids;
    QList<ActiveReaction> fresh;
    for (const ActiveReaction& reaction : current) {
        ids.insert(reaction.id);
        if (!m_known.contains(reaction.id))
            fresh.append(reaction);
    }
    // Only ids still in the store are kept, so the set stays as small as the store.
    m_known = ids;
    for (const ActiveReaction& reaction : std::as_const(fresh))
        Q_EMIT reactionFired(reaction);
}
