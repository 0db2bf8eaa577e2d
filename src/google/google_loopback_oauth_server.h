#pragma once

#include "google/oauth_resume_guard.h"
#include "model/clock.h"

#include <QByteArray>
#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <chrono>
#include <optional>

class QTcpSocket;

// One capture of the browser's redirect: listens on 127.0.0.1 only, answers the first usable request with a
// small page, hands its code (or error) to the waiting sign-in and stops listening. A redirect without this
// sign-in's `state` fails the sign-in: any local page could otherwise hand us a code of its choosing.
// Connections that send nothing, and requests to other paths without a code or an error (favicon, speculative
// connections), do not end the capture; a capture with no usable request ends with `cancelled` after the
// time-out.
class GoogleLoopbackOAuthServer : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultTimeout = std::chrono::minutes(5);
    static constexpr qsizetype maxRequestBytes = 65536;

    explicit GoogleLoopbackOAuthServer(Clock& clock, std::chrono::milliseconds timeout = defaultTimeout,
                                       QObject* parent = nullptr);
    ~GoogleLoopbackOAuthServer() override;

    // Starts listening at once, on `port` or, when another program holds it, on a free loopback port (see
    // port()); when neither can be used the capture is already over with its error. `expectedState` is the
    // `state` the sign-in sent; a redirect must carry it back.
    void start(int port, const QString& expectedState);
    // The port listened on; 0 when not listening.
    int port() const { return m_server.serverPort(); }
    // The authorization code, or the capture's GoogleOAuthError. This object must outlive the wait.
    QCoro::Task<QString> result();
    // Ends a waiting capture with `cancelled` and closes the listener; no effect once it is over.
    void cancel();

    bool isListening() const { return m_server.isListening(); }
    bool isFinished() const { return m_guard.isResolved(); }

    // The complete answer (head and page) with the given title and text.
    static QByteArray htmlAnswer(const QString& title, const QString& text);

private:
    void acceptConnections();
    void receive(QTcpSocket* socket);
    void peerClosed(QTcpSocket* socket);
    void handle(QTcpSocket* socket, const QByteArray& data);
    void sendAndClose(QTcpSocket* socket, const QByteArray& bytes);
    void fail(const GoogleOAuthError& error);
    void succeed(const QString& code);
    // Stops listening and drops every connection still open.
    void finish();

    Clock& m_clock;
    std::chrono::milliseconds m_timeout;
    QTcpServer m_server;
    QString m_expectedState;
    OAuthResumeGuard m_guard;
    std::optional<Clock::TimerId> m_timer;
    QHash<QTcpSocket*, QByteArray> m_received;
};
