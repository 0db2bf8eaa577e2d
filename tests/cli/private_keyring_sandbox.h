#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>
#include <chrono>
#include <functional>
#include <optional>

// Runs the real executable in a throw-away home, each run inside its own session bus with a gnome-keyring
// whose keyring file lives in that home, so the key stored by one run is read by the next. Nothing is shared
// with the test runner's keyring, so these tests can run beside others that use the same accounts.
class PrivateKeyringSandbox {
public:
    struct Result {
        bool finished = false;
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
        // With runUntil: from the stop signal to the program's end.
        std::optional<std::chrono::milliseconds> exitAfterSignal;
    };

    // Whether dbus-run-session and gnome-keyring-daemon are installed.
    static bool available();

    PrivateKeyringSandbox();

    void setEnv(const QString& name, const QString& value) { m_env.insert(name, value); }
    // The program's local time zone (TZ): one where it is around noon now.
    QTimeZone timeZone() const { return m_timeZone; }
    Result run(const QStringList& arguments, const QByteArray& input = {});
    // Another program in the same kind of session (secret-tool to put items in the keyring).
    Result runProgram(const QString& program, const QStringList& arguments, const QByteArray& input = {});
    // Runs until `ready` (checked as the event loop turns) holds, then sends the program `stopSignal`.
    Result runUntil(const QStringList& arguments, const std::function<bool()>& ready, int stopSignal);
    // Every file of the home, configuration and data folders (the keyring file among them) by relative
    // path, with its bytes. The runtime folder (sockets of the session) is left out.
    QMap<QString, QByteArray> files() const;
    QString configFolder() const { return m_root.filePath(QStringLiteral("config/zingboard")); }

private:
    Result runWatched(const QString& program, const QStringList& arguments, const QByteArray& input,
                      const std::function<bool()>& ready, int stopSignal);

    QTemporaryDir m_root;
    QProcessEnvironment m_env;
    QTimeZone m_timeZone;
};
