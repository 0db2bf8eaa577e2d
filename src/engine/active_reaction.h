#pragma once

#include "engine/reaction_details.h"
#include "model/reaction_config.h"

#include <QDateTime>
#include <QString>
#include <QUuid>
#include <optional>

// One reaction on screen; identified by `id`.
struct ActiveReaction {
    QUuid id;
    ReactionConfig config;
    QString subtitle;
    std::optional<ReactionDetails> details;
    QDateTime createdAt;

    friend bool operator==(const ActiveReaction&, const ActiveReaction&) = default;
};
