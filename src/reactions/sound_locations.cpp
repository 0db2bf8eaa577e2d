#include "reactions/sound_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString standardCustomFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    return QDir(base).filePath(QStringLiteral("Zingboard/Sounds"));
}

bool isInside(const QString& path, const QString& folder) {
    if (folder.isEmpty())
        return false;
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanPath = QDir::cleanPath(path);
    return cleanPath == cleanFolder || cleanPath.startsWith(cleanFolder + QLatin1Char('/'));
}

QString standardAlertSoundFolder() {
    const QString relative = QStringLiteral("sounds/freedesktop/stereo");
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative,
                                                 QStandardPaths::LocateDirectory);
    return found.isEmpty() ? QStringLiteral("/usr/share/") + relative : found;
}

} // namespace

QStringList SoundLocations::builtInFoldersFor(const QString& executableFolder, const QString& buildFolder,
                                              const QString& sourceDataFolder) {
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/zingboard/sounds"));
    if (QDir(installed).exists())
        return {installed};
    // Run from a build folder: nothing is installed yet, the clips are still in the source tree.
    if (!sourceDataFolder.isEmpty() && isInside(executableFolder, buildFolder)) {
        const QString source = QDir(sourceDataFolder).filePath(QStringLiteral("sounds"));
        if (QDir(source).exists())
            return {source};
    }
    return {};
}

SoundLocations SoundLocations::standard() {
#ifdef ZINGBOARD_SOURCE_DATA_DIR
    const QString buildFolder = QString::fromUtf8(ZINGBOARD_BUILD_DIR);
    const QString sourceData = QString::fromUtf8(ZINGBOARD_SOURCE_DATA_DIR);
#else
    const QString buildFolder;
    const QString sourceData;
#endif
    return SoundLocations{standardCustomFolder(),
                          builtInFoldersFor(QCoreApplication::applicationDirPath(), buildFolder, sourceData),
                          standardAlertSoundFolder()};
}
