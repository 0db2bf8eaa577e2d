#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>

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
    };

    // Whether dbus-run-session and gnome-keyring-daemon are installed.
    static bool available();

    PrivateKeyringSandbox();

    void setEnv(const QString& name, const QString& value) { m_env.insert(name, value); }
    // The program's local time zone (TZ): one where it is around noon now.
    QTimeZone timeZone() const { return m_timeZone; }
    Result run(const QStringList& arguments, const QByteArray& input = {});

private:
    QTemporaryDir m_root;
    QProcessEnvironment m_env;
    QTimeZone m_timeZone;
};
