#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>
#include <chrono>

// A browser stand-in for the loopback listener: raw bytes over a real socket.
namespace LoopbackTestSupport {

// A port that was free a moment ago (the listener under test binds it next).
inline quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Sends `request` (nothing when empty) and returns every byte received until the other side closes or `limit`
// passes. With `closeAfterSending`, our side closes right after sending.
inline QByteArray exchange(quint16 port, const QByteArray& request, bool closeAfterSending = false,
                           std::chrono::milliseconds limit = std::chrono::seconds(5),
                           const QHostAddress& host = QHostAddress(QHostAddress::LocalHost)) {
    QTcpSocket socket;
    socket.connectToHost(host, port);
    if (!socket.waitForConnected(3000))
        return QByteArrayLiteral("<not connected>");
    QByteArray received;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    if (!request.isEmpty())
        socket.write(request);
    if (closeAfterSending) {
        socket.disconnectFromHost();
        if (socket.state() != QAbstractSocket::UnconnectedState)
            loop.exec();
        return received;
    }
    loop.exec();
    received += socket.readAll();
    return received;
}

// True when a connection to `host`:`port` is refused (nothing listens).
inline bool refuses(quint16 port, const QHostAddress& host = QHostAddress(QHostAddress::LocalHost)) {
    QTcpSocket socket;
    socket.connectToHost(host, port);
    return !socket.waitForConnected(2000);
}

// What a browser sent to `authorization` brings back: the loopback port of its redirect address and the
// request for it with Google's answer `query` plus the sign-in's state.
struct Redirect {
    quint16 port = 0;
    QByteArray request;
};
inline Redirect redirectFor(const QUrl& authorization, const QByteArray& query) {
    const QUrlQuery asked(authorization);
    const QUrl redirect(asked.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    return {quint16(redirect.port()), "GET " + redirect.path().toUtf8() + "?" + query +
                                          "&state=" + asked.queryItemValue(QStringLiteral("state")).toUtf8() +
                                          " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"};
}

// The page part of an answer, after the blank line.
inline QByteArray bodyOf(const QByteArray& answer) {
    const qsizetype end = answer.indexOf("\r\n\r\n");
    return end < 0 ? QByteArray() : answer.mid(end + 4);
}

} // namespace LoopbackTestSupport
