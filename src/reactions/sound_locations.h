#pragma once

#include <QString>
#include <QStringList>

// Where the sound engine looks for clips and alert sounds. Tests point these at scratch folders.
struct SoundLocations {
    // The user's own clips; created at preload. Empty when the platform offers no per-user data folder.
    QString customFolder;
    // Folders of the clips shipped with the program, scanned in order after the custom folder.
    QStringList builtInFolders;
    // Folder of the freedesktop alert sounds that stand in for packs without clips.
    QString alertSoundFolder;

    // The per-user "Zingboard/Sounds" data folder, the installed share/zingboard/sounds next to the
    // executable (or the source tree's data/sounds when run from a build folder) and the system sound theme.
    static SoundLocations standard();
    // The built-in clip folders of an executable in `executableFolder`: the installed
    // <prefix>/share/zingboard/sounds beside its bin folder, else, for an executable inside `buildFolder`,
    // `sourceDataFolder`/sounds. An installed copy never falls back to the tree it was built from.
    static QStringList builtInFoldersFor(const QString& executableFolder, const QString& buildFolder,
                                         const QString& sourceDataFolder);

    bool operator==(const SoundLocations&) const = default;
};
