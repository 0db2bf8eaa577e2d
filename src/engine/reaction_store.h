#pragma once

#include "engine/active_reaction.h"
#include "model/clock.h"

#include <QList>
#include <QObject>
#include <functional>

// The reactions on screen, oldest first. Each is removed by its id once its own display time has passed.
class ReactionStore : public QObject {
    Q_OBJECT
public:
    explicit ReactionStore(Clock& clock, QObject* parent = nullptr);

    const QList<ActiveReaction>& reactions() const { return m_reactions; }

    // Called just before a reaction is added, so whoever shows them can get ready.
    void setOnWillAppend(std::function<void(const ActiveReaction&)> hook) {
        m_onWillAppend = std::move(hook);
    }

    // `durationSeconds` is read now; a negative or non-finite one counts as zero.
    ActiveReaction append(const ReactionConfig& config, const QString& subtitle,
                          const std::optional<ReactionDetails>& details, double durationSeconds);

Q_SIGNALS:
    void reactionsChanged();

private:
    void remove(const QUuid& id);

    Clock& m_clock;
    QList<ActiveReaction> m_reactions;
    std::function<void(const ActiveReaction&)> m_onWillAppend;
};
