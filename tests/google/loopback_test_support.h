#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
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

// The page part of an answer, after the blank line.
inline QByteArray bodyOf(const QByteArray& answer) {
    const qsizetype end = answer.indexOf("\r\n\r\n");
    return end < 0 ? QByteArray() : answer.mid(end + 4);
}

} // namespace LoopbackTestSupport
