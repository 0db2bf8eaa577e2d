#pragma once

#include <QProcess>
#include <QString>

// A D-Bus session bus of the caller's own (dbus-daemon in a folder it is given), for runs of the desktop
// program that must neither find another run's services nor make libdbus autolaunch a bus that outlives the
// run. It starts no services on demand: a keyring daemon woken by the program would outlive the run too.
class PrivateSessionBus {
public:
    explicit PrivateSessionBus(const QString& folder);
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // Empty when dbus-daemon is missing or would not start.
    QString address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};
