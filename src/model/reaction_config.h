#pragma once

#include "model/sound_effect.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

// What a goal or trigger shows and plays when it fires.
struct ReactionConfig {
    QString emoji;
    SoundEffect sound = SoundEffect::moan;
    QString message;

    bool operator==(const ReactionConfig&) const = default;

    QJsonObject toJson() const;
    // All three keys are required; an unknown sound fails.
    static std::optional<ReactionConfig> fromJson(const QJsonValue& value);
};

size_t qHash(const ReactionConfig& config, size_t seed = 0) noexcept;
