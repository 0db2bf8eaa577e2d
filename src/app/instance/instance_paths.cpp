#include "app/instance/instance_paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString runtimeFolder() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // Qt's own fallback, a private folder under the temporary directory.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace

std::optional<InstancePaths> InstancePaths::forConfigFolder(const QString& configFolder, QString* problem) {
    const QString base = runtimeFolder();
    if (base.isEmpty()) {
        *problem = QStringLiteral("no runtime folder (XDG_RUNTIME_DIR is not set)");
        return std::nullopt;
    }
    const QString folder = QDir(base).filePath(QStringLiteral("zingboard"));
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        *problem = QStringLiteral("cannot create ") + folder + QStringLiteral(": ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        *problem = folder + QStringLiteral(" is not a folder of this user");
        return std::nullopt;
    }
    if ((info.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0) {
        *problem = QStringLiteral("cannot make ") + folder + QStringLiteral(" private");
        return std::nullopt;
    }
    const QByteArray key =
        QCryptographicHash::hash(QDir::cleanPath(configFolder).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    const QString stem = QDir(folder).filePath(QStringLiteral("instance-") + QString::fromLatin1(key));
    return InstancePaths{folder, stem + QStringLiteral(".lock"), stem + QStringLiteral(".socket")};
}

std::optional<InstancePaths> InstancePaths::forThisUser(QString* problem) {
    // The same folder the preferences store writes the documents to.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/zingboard");
    return forConfigFolder(config, problem);
}
