#include "support/local_http_server.h"
#include "support/qt_printers.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

using Response = LocalHttpServer::Response;

namespace {

// Reads from `socket` until `expectedResponses` complete responses (by Content-Length) or the peer closes.
QList<QByteArray> readResponses(QTcpSocket& socket, int expectedResponses) {
    QByteArray data;
    QList<QByteArray> responses;
    QElapsedTimer timer;
    timer.start();
    // The server shares this thread, so wait by running the event loop, never by blocking.
    while (responses.size() < expectedResponses && timer.elapsed() < 5000) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
        data += socket.readAll();
        for (;;) {
            const qsizetype end = data.indexOf("\r\n\r\n");
            if (end < 0)
                break;
            const qsizetype lengthAt = data.toLower().indexOf("content-length:");
            const qsizetype lineEnd = data.indexOf("\r\n", lengthAt);
            const qsizetype length = data.mid(lengthAt + 15, lineEnd - lengthAt - 15).trimmed().toLongLong();
            if (data.size() < end + 4 + length)
                break;
            responses.append(data.left(end + 4 + length));
            data.remove(0, end + 4 + length);
        }
    }
    return responses;
}

struct Client {
    QTcpSocket socket;
    explicit Client(const LocalHttpServer& server) {
        socket.connectToHost(QHostAddress::LocalHost, server.port());
        EXPECT_TRUE(socket.waitForConnected(2000));
    }
    // Each piece is flushed on its own so the server sees the request in fragments.
    void sendInPieces(const QByteArray& bytes, qsizetype pieceSize, LocalHttpServer& server) {
        for (qsizetype at = 0; at < bytes.size(); at += pieceSize) {
            socket.write(bytes.mid(at, pieceSize));
            socket.waitForBytesWritten(1000);
            server.waitForRequests(int(server.requests().size()) + 1, std::chrono::milliseconds(5));
        }
    }
};

TEST(LocalHttpServer, ParsesRequestArrivingByteByByte) {
    LocalHttpServer server;
    server.route("POST", "/token", Response::json(200, "{}"));
    Client client(server);
    client.sendInPieces(
        "POST /token?x=1&y=a+b%2B HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
        "application/x-www-form-urlencoded\r\nContent-Length: 24\r\n\r\ncode=4%2F0A&verifier=v+w",
        1, server);
    ASSERT_TRUE(server.waitForRequests(1));
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, QByteArray("POST"));
    EXPECT_EQ(request.path, QStringLiteral("/token"));
    EXPECT_EQ(request.queryValues(QStringLiteral("y")), QStringList{QStringLiteral("a b+")});
    const QList<QPair<QString, QString>> form = {{QStringLiteral("code"), QStringLiteral("4/0A")},
                                                 {QStringLiteral("verifier"), QStringLiteral("v w")}};
    EXPECT_EQ(request.formItems(), form);
    const auto responses = readResponses(client.socket, 1);
    ASSERT_EQ(responses.size(), 1);
    EXPECT_TRUE(responses[0].startsWith("HTTP/1.1 200 OK\r\n"));
}

TEST(LocalHttpServer, AnswersPipelinedRequestsInOrderOnOneConnection) {
    LocalHttpServer server;
    server.route("GET", "/slow", Response::text(200, "first").withDelay(std::chrono::milliseconds(100)));
    server.route("GET", "/fast", Response::text(200, "second"));
    Client client(server);
    client.socket.write("GET /slow HTTP/1.1\r\nHost: x\r\n\r\nGET /fast HTTP/1.1\r\nHost: x\r\n\r\n"
                        "GET /missing HTTP/1.1\r\nHost: x\r\n\r\n");
    const auto responses = readResponses(client.socket, 3);
    ASSERT_EQ(responses.size(), 3);
    EXPECT_TRUE(responses[0].endsWith("first"));
    EXPECT_TRUE(responses[1].endsWith("second"));
    EXPECT_TRUE(responses[2].startsWith("HTTP/1.1 404"));
    EXPECT_EQ(server.connectionsAccepted(), 1);
}

TEST(LocalHttpServer, DecodesChunkedRequestBody) {
    LocalHttpServer server;
    Client client(server);
    client.sendInPieces("PUT /up HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n"
                        "7;ext=1\r\n, world\r\n0\r\n\r\n",
                        7, server);
    ASSERT_TRUE(server.waitForRequests(1));
    EXPECT_EQ(server.requests()[0].body, QByteArray("hello, world"));
}

TEST(LocalHttpServer, RejectsMalformedRequests) {
    for (const QByteArray& bad :
         {QByteArray("NONSENSE\r\n\r\n"), QByteArray("GET /x HTTP/1.1\r\nno colon\r\n\r\n"),
          QByteArray("GET /x HTTP/1.1\r\nContent-Length: -4\r\n\r\n")}) {
        LocalHttpServer server;
        Client client(server);
        client.socket.write(bad);
        const auto responses = readResponses(client.socket, 1);
        ASSERT_EQ(responses.size(), 1) << bad.constData();
        EXPECT_TRUE(responses[0].startsWith("HTTP/1.1 400")) << bad.constData();
        EXPECT_TRUE(server.requests().isEmpty());
    }
}

TEST(LocalHttpServer, WaitForRequestsGivesUpAfterTheLimit) {
    LocalHttpServer server;
    EXPECT_FALSE(server.waitForRequests(1, std::chrono::milliseconds(50)));
}

} // namespace
