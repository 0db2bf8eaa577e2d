#include "model/reaction_config.h"

#include "model/json_conventions.h"

#include <QHashFunctions>

QJsonObject ReactionConfig::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("emoji"), emoji);
    object.insert(QStringLiteral("sound"), SoundEffects::rawValue(sound));
    object.insert(QStringLiteral("message"), message);
    return object;
}

std::optional<ReactionConfig> ReactionConfig::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto emoji = JsonConventions::requireString(object, QStringLiteral("emoji"));
    const auto soundRaw = JsonConventions::requireString(object, QStringLiteral("sound"));
    const auto message = JsonConventions::requireString(object, QStringLiteral("message"));
    if (!emoji || !soundRaw || !message)
        return std::nullopt;
    const auto sound = SoundEffects::fromRawValue(*soundRaw);
    if (!sound)
        return std::nullopt;
    return ReactionConfig{*emoji, *sound, *message};
}

size_t qHash(const ReactionConfig& config, size_t seed) noexcept {
    return qHashMulti(seed, config.emoji, static_cast<int>(config.sound), config.message);
}
