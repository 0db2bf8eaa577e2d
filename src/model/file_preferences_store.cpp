#include "model/file_preferences_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QLatin1String kSuffix(".json");

} // namespace

FilePreferencesStore::FilePreferencesStore(QString folder) : m_folder(std::move(folder)) {}

QString FilePreferencesStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zingboard");
}

QString FilePreferencesStore::pathFor(const QString& key) const {
    // Keys come from the program, but a key must never reach outside the folder or hide as a dot file.
    if (key.isEmpty() || key.startsWith(QLatin1Char('.')) || key.contains(QLatin1Char('/')) ||
        key.contains(QLatin1Char('\0')))
        return QString();
    return m_folder + QLatin1Char('/') + key + kSuffix;
}

std::optional<QByteArray> FilePreferencesStore::value(const QString& key) {
    const QString path = pathFor(key);
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maximumValueSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file may grow between the size check and the read.
    QByteArray bytes = file.read(maximumValueSize + 1);
    if (bytes.size() > maximumValueSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool FilePreferencesStore::setValue(const QString& key, const QByteArray& bytes) {
    const QString path = pathFor(key);
    if (path.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    // Whatever sits in the way as a directory stays untouched.
    if (QFileInfo(path).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A small document waits in Qt's write buffer until commit(), and Qt 6.4's commit() renames the file even
    // when writing that buffer failed (full disk): flush here, where a failure can still be seen.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool FilePreferencesStore::contains(const QString& key) {
    const QString path = pathFor(key);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool FilePreferencesStore::copyValue(const QString& from, const QString& to) {
    const QString source = pathFor(from);
    const QString target = pathFor(to);
    if (source.isEmpty() || target.isEmpty() || !QFileInfo(source).isFile() || QFileInfo::exists(target))
        return false;
    return QFile::copy(source, target);
}

bool FilePreferencesStore::remove(const QString& key) {
    const QString path = pathFor(key);
    return !path.isEmpty() && QFileInfo(path).isFile() && QFile::remove(path);
}

QStringList FilePreferencesStore::keys() {
    QStringList result;
    const QDir dir(m_folder);
    const QStringList names =
        dir.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        const QString key = name.chopped(kSuffix.size());
        if (!pathFor(key).isEmpty())
            result.append(key);
    }
    return result;
}
