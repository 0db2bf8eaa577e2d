#include "app/instance/instance_server.h"

#include "app/instance/instance_paths.h"

#include <QLocalServer>
#include <QLocalSocket>

InstanceServer::InstanceServer(InstanceSession::Host host, QObject* parent)
    : QObject(parent), m_host(std::move(host)), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
}

InstanceServer::~InstanceServer() {
    close();
}

bool InstanceServer::listen(const InstancePaths& paths, QString* problem) {
    // We hold the lock, so a socket file still there belongs to an owner that is gone.
    QLocalServer::removeServer(paths.socket);
    if (!m_server->listen(paths.socket)) {
        *problem = m_server->errorString();
        return false;
    }
    return true;
}

void InstanceServer::close() {
    if (m_server->isListening())
        m_server->close();
}

void InstanceServer::onNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (m_sessions >= kMaxSessions) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Not our child: a session lives until its command has finished, even past the server.
        auto* session = new InstanceSession(socket, m_host);
        ++m_sessions;
        connect(session, &QObject::destroyed, this, [this] { --m_sessions; });
        connect(session, &InstanceSession::commandStarted, this, [this] { ++m_runningCommands; });
        connect(session, &InstanceSession::commandFinished, this, [this] {
            if (--m_runningCommands == 0)
                Q_EMIT idle();
        });
    }
}
