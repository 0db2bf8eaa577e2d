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

QStringList standardBuiltInFolders() {
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/zingboard/sounds"));
    if (QDir(installed).exists())
        return {installed};
#ifdef ZINGBOARD_SOURCE_DATA_DIR
    // Run from a build folder: nothing is installed yet, the clips are still in the source tree.
    const QString source =
        QDir(QString::fromUtf8(ZINGBOARD_SOURCE_DATA_DIR)).filePath(QStringLiteral("sounds"));
    if (QDir(source).exists())
        return {source};
#endif
    return {};
}

QString standardAlertSoundFolder() {
    const QString relative = QStringLiteral("sounds/freedesktop/stereo");
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative,
                                                 QStandardPaths::LocateDirectory);
    return found.isEmpty() ? QStringLiteral("/usr/share/") + relative : found;
}

} // namespace

SoundLocations SoundLocations::standard() {
    return SoundLocations{standardCustomFolder(), standardBuiltInFolders(), standardAlertSoundFolder()};
}
