#pragma once

#include <QString>
#include <optional>

// "Open Zingboard at login": an XDG autostart entry, <config>/autostart/<app id>.desktop, that starts the
// running executable. The file on disk is the truth, so an entry written by hand counts too.
class AutostartEntry {
public:
    AutostartEntry(QString autostartFolder, QString executablePath);
    // $XDG_CONFIG_HOME/autostart and this process's executable.
    static AutostartEntry standard();

    QString filePath() const;
    // The entry exists and does not mark itself hidden or disabled (the ways desktops switch one off).
    bool isEnabled() const;
    // Writes or removes the entry. Returns a readable error when the file could not be written or removed.
    std::optional<QString> setEnabled(bool enabled) const;

    // The entry's text for `executable`.
    static QString content(const QString& executable);
    // `path` as one argument of an Exec line, quoted and escaped when it needs it.
    static QString execArgument(const QString& path);

private:
    QString m_folder;
    QString m_executable;
};
