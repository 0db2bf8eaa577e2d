#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Words that name Apple's platform. The program runs on other desktops, so its texts use their words
// ("system keyring", "Open folder", "your desktop"). "menu bar" is not among them: other desktops have one.
namespace PlatformWords {

inline const QRegularExpression& pattern() {
    static const QRegularExpression re(
        QStringLiteral("\\b(Mac|Macs|macOS|MacOS|OS X|Finder|Keychain|Dock|Apple|Spotlight|Launchpad|iCloud|"
                       "keychain|Application Support|System Preferences|Login Items)\\b|\u2318"));
    return re;
}

// The platform words found in `text`, in order.
inline QStringList foundIn(const QString& text) {
    QStringList found;
    for (auto it = pattern().globalMatch(text); it.hasNext();)
        found.append(it.next().captured(0));
    return found;
}

} // namespace PlatformWords
