#pragma once

#include "model/sound_effect.h"

#include <QString>
#include <QStringList>

// File naming of the sound packs: which files belong to which pack, and each pack's alert sound.
namespace SoundClipFiles {
// Lower-case extensions accepted when a folder is scanned.
const QStringList& supportedExtensions();
// The start of the file name of every clip of the pack ("moan" matches moan_clip.mp3 and moaning.ogg).
QString prefix(SoundEffect effect);
// File name of the pack's stand-in sound in the freedesktop theme, used when the pack has no clip.
QString alertSoundFileName(SoundEffect effect);
// Paths of the folder's own files (no recursion) whose name starts with `prefix` (case-sensitive) and whose
// extension is supported (any case), sorted by name. Missing or unreadable folder: empty.
QStringList clipsIn(const QString& folder, const QString& prefix);
} // namespace SoundClipFiles
