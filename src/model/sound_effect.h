#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace SoundEffects {
Q_NAMESPACE

// The eight sound packs. Declaration order is the sound picker's order.
enum class SoundEffect { moan, scream, chaChing, rocketWhoosh, sadTrombone, applause, airhorn, whisper };
Q_ENUM_NS(SoundEffect)

inline const QList<SoundEffect>& allCases() {
    return EnumNames::allCases<SoundEffect>();
}
inline QString rawValue(SoundEffect effect) {
    return EnumNames::rawValue(effect);
}
inline std::optional<SoundEffect> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<SoundEffect>(raw);
}
// The catch phrase shown as the picker row.
QString title(SoundEffect effect);
// One line shown under the picker for the selected pack.
QString subtitle(SoundEffect effect);
} // namespace SoundEffects

using SoundEffects::SoundEffect;
