#include "app/screens/settings/autostart_entry.h"

#include "app/app_identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// Keys of the [Desktop Entry] group, as read by desktops: later groups (actions) are ignored.
QString entryValue(const QByteArray& text, const QString& key) {
    bool inEntry = false;
    QString value;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == key)
            value = line.mid(equals + 1).trimmed();
    }
    return value;
}

} // namespace

AutostartEntry::AutostartEntry(QString autostartFolder, QString executablePath)
    : m_folder(std::move(autostartFolder)), m_executable(std::move(executablePath)) {}

AutostartEntry AutostartEntry::standard() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return AutostartEntry(QDir(config).filePath(QStringLiteral("autostart")),
                          QCoreApplication::applicationFilePath());
}

QString AutostartEntry::filePath() const {
    return QDir(m_folder).filePath(AppIdentity::applicationId() + QStringLiteral(".desktop"));
}

bool AutostartEntry::isEnabled() const {
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    return entryValue(text, QStringLiteral("Hidden")) != QLatin1String("true") &&
           entryValue(text, QStringLiteral("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

std::optional<QString> AutostartEntry::setEnabled(bool enabled) const {
    const QString path = filePath();
    if (!enabled) {
        QFile file(path);
        if (file.exists() && !file.remove())
            return QStringLiteral("Could not remove %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("Could not create the folder %1.").arg(m_folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    file.write(content(m_executable).toUtf8());
    if (!file.commit())
        return QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
    return std::nullopt;
}

QString AutostartEntry::content(const QString& executable) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Metrics that zing back\n"
                          "Exec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(AppIdentity::displayName(), execArgument(executable), AppIdentity::applicationId());
}

QString AutostartEntry::execArgument(const QString& path) {
    // Field codes start with '%', so a literal one is doubled, quoted or not.
    QString argument = path;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return argument;
    // Inside quotes: ", `, $ and \ take a backslash; the file's string escaping then doubles every
    // backslash once more.
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
