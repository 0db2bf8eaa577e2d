#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>

class QTcpSocket;

// A real HTTP/1.1 server on 127.0.0.1 (ephemeral port) for tests of code that talks HTTP. Routes answer by
// method and path, a fallback answers the rest (404 by default); every complete request is recorded.
// Responses can misbehave on purpose: delay, never answer, close mid-body, reset, stream a huge body.
// Keep-alive and requests split across reads are handled, since Qt reuses connections.
class LocalHttpServer : public QObject {
    Q_OBJECT
public:
    using Header = QPair<QByteArray, QByteArray>;

    struct RecordedRequest {
        QByteArray method;
        QByteArray target;  // as on the request line
        QByteArray rawPath; // target up to "?", still percent-encoded
        QString path;       // rawPath decoded
        QByteArray rawQuery;
        QList<QPair<QString, QString>> query; // decoded as a server would ("+" is a space), in order
        QList<Header> headers;
        QByteArray body;

        QByteArray header(const QByteArray& name) const;
        QStringList queryValues(const QString& name) const;
        // The body read as application/x-www-form-urlencoded.
        QList<QPair<QString, QString>> formItems() const;
    };

    struct Response {
        enum class Fault {
            none,
            neverAnswer,     // reads the request and stays silent
            closeMidBody,    // promises the whole body's length, sends half, closes
            resetConnection, // drops the connection with a reset, nothing sent
            streamHugeBody,  // streams `streamBytes` of filler, as it drains, without holding it
        };
        int status = 200;
        QList<Header> headers;
        QByteArray body;
        std::chrono::milliseconds delay{0};
        Fault fault = Fault::none;
        qint64 streamBytes = 0;
        bool streamDeclaresLength = false; // Content-Length instead of chunked

        static Response json(int status, QByteArray body);
        static Response text(int status, QByteArray body);
        static Response redirect(int status, QByteArray location);
        static Response neverAnswer();
        static Response closeMidBody(QByteArray fullBody);
        static Response resetConnection();
        static Response hugeBody(qint64 bytes, bool declareLength);
        Response withDelay(std::chrono::milliseconds by) const;
        Response withHeader(QByteArray name, QByteArray value) const;
    };

    using Handler = std::function<Response(const RecordedRequest&)>;

    explicit LocalHttpServer(QObject* parent = nullptr);
    ~LocalHttpServer() override;

    quint16 port() const { return m_server.serverPort(); }
    // "http://127.0.0.1:<port>", the form the base-address variables take.
    QString baseUrl() const;
    // baseUrl() + `pathAndQuery` taken as already encoded.
    QUrl url(const QByteArray& pathAndQuery) const;

    // `path` is matched against the path exactly as sent (still percent-encoded, without the query).
    void route(const QByteArray& method, const QByteArray& path, Response response);
    void route(const QByteArray& method, const QByteArray& path, Handler handler);
    void setFallback(Handler handler) { m_fallback = std::move(handler); }
    // GET `path` answers 302 to `path?hop=<n+1>` for ever.
    void addRedirectLoop(const QByteArray& path);

    const QList<RecordedRequest>& requests() const { return m_requests; }
    QList<RecordedRequest> requestsTo(const QByteArray& rawPath) const;
    int connectionsAccepted() const { return m_connectionsAccepted; }
    // Bytes the sockets actually handed to the network so far (all connections, headers included).
    qint64 bytesSent() const { return m_bytesSent; }
    // Runs the event loop until `count` requests were recorded or `limit` passed.
    bool waitForRequests(int count, std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Stops accepting and drops every open connection.
    void close();

Q_SIGNALS:
    void requestRecorded();

private:
    struct Connection;
    void accept();
    void process(const std::shared_ptr<Connection>& connection);
    void answer(const std::shared_ptr<Connection>& connection, const RecordedRequest& request);
    void deliver(const std::shared_ptr<Connection>& connection, const RecordedRequest& request,
                 const Response& response);
    void pump(const std::shared_ptr<Connection>& connection);
    void finishExchange(const std::shared_ptr<Connection>& connection);
    void fail(const std::shared_ptr<Connection>& connection, int status);
    Handler handlerFor(const RecordedRequest& request) const;

    QTcpServer m_server;
    QHash<QByteArray, Handler> m_routes; // "METHOD path"
    Handler m_fallback;
    QList<RecordedRequest> m_requests;
    QList<std::shared_ptr<Connection>> m_connections;
    int m_connectionsAccepted = 0;
    qint64 m_bytesSent = 0;
};
