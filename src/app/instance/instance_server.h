#pragma once

#include "app/instance/instance_session.h"

#include <QObject>

class QLocalServer;
struct InstancePaths;

// The running instance's side of the socket: accepts later launches and the commands they hand over. Only
// the process that holds the instance lock may listen.
class InstanceServer final : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(InstanceSession::Host host, QObject* parent = nullptr);
    ~InstanceServer() override;

    // Replaces the socket a crashed owner left behind; `problem` says why listening failed.
    bool listen(const InstancePaths& paths, QString* problem);
    // Stops taking new conversations (leaving); ones under way finish on their own.
    void close();
    // Commands handed over and not yet finished.
    int runningCommands() const { return m_runningCommands; }

    // More than this many peers at once are turned away, so a misbehaving one cannot exhaust us.
    static constexpr int kMaxSessions = 16;

Q_SIGNALS:
    void idle();

private:
    void onNewConnection();

    InstanceSession::Host m_host;
    QLocalServer* m_server;
    int m_sessions = 0;
    int m_runningCommands = 0;
};
