#pragma once

#include <QList>
#include <QString>
#include <optional>

// The eight sound packs. Declaration order is the sound picker's order.
enum class SoundEffect { moan, scream, chaChing, rocketWhoosh, sadTrombone, applause, airhorn, whisper };

namespace SoundEffects {
const QList<SoundEffect>& allCases();
QString rawValue(SoundEffect effect);
std::optional<SoundEffect> fromRawValue(const QString& raw);
// The catch phrase shown as the picker row.
QString title(SoundEffect effect);
// One line shown under the picker for the selected pack.
QString subtitle(SoundEffect effect);
} // namespace SoundEffects
