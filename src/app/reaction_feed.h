#pragma once

#include "engine/active_reaction.h"

#include <QObject>
#include <QSet>
#include <QUuid>

class ReactionStore;

// Announces each reaction once, when it first appears in the store, without taking the store's single
// append hook (the overlay needs that one).
class ReactionFeed : public QObject {
    Q_OBJECT
public:
    explicit ReactionFeed(ReactionStore& store, QObject* parent = nullptr);

Q_SIGNALS:
    void reactionFired(const ActiveReaction& reaction);

private:
    void update();

    ReactionStore& m_store;
    QSet<QUuid> m_known;
};
