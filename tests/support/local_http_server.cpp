#include "support/local_http_server.h"

#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace {

constexpr qsizetype maxHeaderBytes = 64 * 1024;
constexpr qint64 maxRequestBodyBytes = 64 * 1024 * 1024;
constexpr qint64 streamChunkBytes = 64 * 1024;
constexpr qint64 streamBacklogBytes = 1024 * 1024;

QByteArray findHeader(const QList<LocalHttpServer::Header>& headers, const QByteArray& name) {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool hasHeader(const QList<LocalHttpServer::Header>& headers, const QByteArray& name) {
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QList<QPair<QString, QString>> decodeForm(const QByteArray& text) {
    QList<QPair<QString, QString>> items;
    for (const QByteArray& part : text.split('&')) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf('=');
        QByteArray name = equals < 0 ? part : part.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : part.mid(equals + 1);
        name.replace('+', ' ');
        value.replace('+', ' ');
        items.append({QUrl::fromPercentEncoding(name), QUrl::fromPercentEncoding(value)});
    }
    return items;
}

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 201:
        return "Created";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 307:
        return "Temporary Redirect";
    case 308:
        return "Permanent Redirect";
    case 400:
        return "Bad Request";
    case 401:
        return "Unauthorized";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 413:
        return "Content Too Large";
    case 429:
        return "Too Many Requests";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

const QByteArray& filler() {
    static const QByteArray bytes(streamChunkBytes, 'z');
    return bytes;
}

// Parses a chunked body starting at `from`; returns the index after it, -1 if incomplete, -2 if malformed.
qsizetype decodeChunked(const QByteArray& buffer, qsizetype from, QByteArray& body) {
    qsizetype pos = from;
    for (;;) {
        const qsizetype lineEnd = buffer.indexOf("\r\n", pos);
        if (lineEnd < 0)
            return -1;
        QByteArray sizeText = buffer.mid(pos, lineEnd - pos);
        if (const qsizetype semicolon = sizeText.indexOf(';'); semicolon >= 0)
            sizeText.truncate(semicolon);
        bool ok = false;
        const qint64 size = sizeText.trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0 || body.size() + size > maxRequestBodyBytes)
            return -2;
        pos = lineEnd + 2;
        if (size == 0) {
            // Trailer lines up to an empty one.
            for (;;) {
                const qsizetype end = buffer.indexOf("\r\n", pos);
                if (end < 0)
                    return -1;
                const bool empty = end == pos;
                pos = end + 2;
                if (empty)
                    return pos;
            }
        }
        if (buffer.size() < pos + size + 2)
            return -1;
        if (buffer.mid(pos + size, 2) != "\r\n")
            return -2;
        body += buffer.mid(pos, size);
        pos += size + 2;
    }
}

} // namespace

struct LocalHttpServer::Connection {
    QTcpSocket* socket = nullptr;
    QByteArray buffer;
    bool busy = false;
    bool closeAfter = false;
    bool closed = false;
    qint64 streamRemaining = 0;
    bool streamChunked = false;
};

QByteArray LocalHttpServer::RecordedRequest::header(const QByteArray& name) const {
    return findHeader(headers, name);
}

QStringList LocalHttpServer::RecordedRequest::queryValues(const QString& name) const {
    QStringList values;
    for (const auto& [key, value] : query) {
        if (key == name)
            values.append(value);
    }
    return values;
}

QList<QPair<QString, QString>> LocalHttpServer::RecordedRequest::formItems() const {
    return decodeForm(body);
}

LocalHttpServer::Response LocalHttpServer::Response::json(int status, QByteArray body) {
    Response response;
    response.status = status;
    response.headers = {{"Content-Type", "application/json"}};
    response.body = std::move(body);
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::text(int status, QByteArray body) {
    Response response;
    response.status = status;
    response.headers = {{"Content-Type", "text/plain; charset=utf-8"}};
    response.body = std::move(body);
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::redirect(int status, QByteArray location) {
    Response response;
    response.status = status;
    response.headers = {{"Location", std::move(location)}};
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::neverAnswer() {
    Response response;
    response.fault = Fault::neverAnswer;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::closeMidBody(QByteArray fullBody) {
    Response response = text(200, std::move(fullBody));
    response.fault = Fault::closeMidBody;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::resetConnection() {
    Response response;
    response.fault = Fault::resetConnection;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::hugeBody(qint64 bytes, bool declareLength) {
    Response response;
    response.headers = {{"Content-Type", "application/octet-stream"}};
    response.fault = Fault::streamHugeBody;
    response.streamBytes = bytes;
    response.streamDeclaresLength = declareLength;
    return response;
}

LocalHttpServer::Response LocalHttpServer::Response::withDelay(std::chrono::milliseconds by) const {
    Response copy = *this;
    copy.delay = by;
    return copy;
}

LocalHttpServer::Response LocalHttpServer::Response::withHeader(QByteArray name, QByteArray value) const {
    Response copy = *this;
    copy.headers.append({std::move(name), std::move(value)});
    return copy;
}

LocalHttpServer::LocalHttpServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        ADD_FAILURE() << "LocalHttpServer could not listen: " << m_server.errorString().toStdString();
}

LocalHttpServer::~LocalHttpServer() {
    close();
}

QString LocalHttpServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QUrl LocalHttpServer::url(const QByteArray& pathAndQuery) const {
    return QUrl::fromEncoded(baseUrl().toLatin1() + pathAndQuery, QUrl::StrictMode);
}

void LocalHttpServer::route(const QByteArray& method, const QByteArray& path, Response response) {
    route(method, path, [response = std::move(response)](const RecordedRequest&) { return response; });
}

void LocalHttpServer::route(const QByteArray& method, const QByteArray& path, Handler handler) {
    m_routes.insert(method + ' ' + path, std::move(handler));
}

void LocalHttpServer::addRedirectLoop(const QByteArray& path) {
    auto hops = std::make_shared<int>(0);
    route("GET", path, [path, hops](const RecordedRequest&) {
        return Response::redirect(302, path + "?hop=" + QByteArray::number(++*hops));
    });
}

QList<LocalHttpServer::RecordedRequest> LocalHttpServer::requestsTo(const QByteArray& rawPath) const {
    QList<RecordedRequest> matching;
    for (const RecordedRequest& request : m_requests) {
        if (request.rawPath == rawPath)
            matching.append(request);
    }
    return matching;
}

bool LocalHttpServer::waitForRequests(int count, std::chrono::milliseconds limit) {
    if (m_requests.size() >= count)
        return true;
    QEventLoop loop;
    const auto check = connect(this, &LocalHttpServer::requestRecorded, &loop, [&] {
        if (m_requests.size() >= count)
            loop.quit();
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(check);
    return m_requests.size() >= count;
}

void LocalHttpServer::close() {
    m_server.close();
    const auto connections = m_connections;
    m_connections.clear();
    for (const auto& connection : connections) {
        connection->closed = true;
        QObject::disconnect(connection->socket, nullptr, this, nullptr);
        connection->socket->abort();
        connection->socket->deleteLater();
    }
}

void LocalHttpServer::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_connectionsAccepted;
        auto connection = std::make_shared<Connection>();
        connection->socket = socket;
        m_connections.append(connection);
        connect(socket, &QTcpSocket::readyRead, this, [this, connection] {
            connection->buffer += connection->socket->readAll();
            process(connection);
        });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, connection](qint64 bytes) {
            m_bytesSent += bytes;
            if (connection->streamRemaining > 0 && !connection->closed)
                pump(connection);
        });
        connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
            connection->closed = true;
            m_connections.removeOne(connection);
            connection->socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) {
            connection->buffer += socket->readAll();
            process(connection);
        }
    }
}

void LocalHttpServer::process(const std::shared_ptr<Connection>& connection) {
    while (!connection->busy && !connection->closed) {
        QByteArray& buffer = connection->buffer;
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0) {
            if (buffer.size() > maxHeaderBytes)
                fail(connection, 431);
            return;
        }
        if (headerEnd > maxHeaderBytes)
            return fail(connection, 431);

        QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        for (QByteArray& line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
        }
        const QList<QByteArray> requestLine = lines.first().split(' ');
        if (requestLine.size() != 3 || requestLine[0].isEmpty() || !requestLine[1].startsWith('/') ||
            !requestLine[2].startsWith("HTTP/1."))
            return fail(connection, 400);

        RecordedRequest request;
        request.method = requestLine[0];
        request.target = requestLine[1];
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon <= 0)
                return fail(connection, 400);
            request.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
        }

        const qsizetype bodyStart = headerEnd + 4;
        qsizetype consumed = bodyStart;
        if (request.header("Transfer-Encoding").toLower().contains("chunked")) {
            const qsizetype end = decodeChunked(buffer, bodyStart, request.body);
            if (end == -1)
                return;
            if (end == -2)
                return fail(connection, 400);
            consumed = end;
        } else if (hasHeader(request.headers, "Content-Length")) {
            bool ok = false;
            const qint64 length = request.header("Content-Length").toLongLong(&ok);
            if (!ok || length < 0)
                return fail(connection, 400);
            if (length > maxRequestBodyBytes)
                return fail(connection, 413);
            if (buffer.size() < bodyStart + length)
                return;
            request.body = buffer.mid(bodyStart, length);
            consumed = bodyStart + length;
        }
        buffer.remove(0, consumed);

        const qsizetype question = request.target.indexOf('?');
        request.rawPath = question < 0 ? request.target : request.target.left(question);
        request.rawQuery = question < 0 ? QByteArray() : request.target.mid(question + 1);
        request.path = QUrl::fromPercentEncoding(request.rawPath);
        request.query = decodeForm(request.rawQuery);

        const QByteArray connectionHeader = request.header("Connection").toLower();
        connection->closeAfter = requestLine[2] == "HTTP/1.0" ? !connectionHeader.contains("keep-alive")
                                                              : connectionHeader.contains("close");
        connection->busy = true;
        m_requests.append(request);
        Q_EMIT requestRecorded();
        answer(connection, request);
    }
}

LocalHttpServer::Handler LocalHttpServer::handlerFor(const RecordedRequest& request) const {
    const auto found = m_routes.constFind(request.method + ' ' + request.rawPath);
    if (found != m_routes.constEnd())
        return found.value();
    if (m_fallback)
        return m_fallback;
    return [](const RecordedRequest&) { return Response::text(404, "no route"); };
}

void LocalHttpServer::answer(const std::shared_ptr<Connection>& connection, const RecordedRequest& request) {
    const Response response = handlerFor(request)(request);
    if (response.delay.count() > 0) {
        QTimer::singleShot(response.delay, connection->socket, [this, connection, request, response] {
            if (!connection->closed)
                deliver(connection, request, response);
        });
        return;
    }
    deliver(connection, request, response);
}

void LocalHttpServer::deliver(const std::shared_ptr<Connection>& connection, const RecordedRequest& request,
                              const Response& response) {
    QTcpSocket* socket = connection->socket;
    using Fault = Response::Fault;
    if (response.fault == Fault::neverAnswer)
        return;
    if (response.fault == Fault::resetConnection) {
#ifdef Q_OS_UNIX
        // A zero linger time makes the close send RST instead of FIN.
        struct linger immediate {
            1, 0
        };
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediate, sizeof immediate);
#endif
        connection->closed = true;
        socket->abort();
        return;
    }

    const bool streaming = response.fault == Fault::streamHugeBody;
    const bool chunked = streaming && !response.streamDeclaresLength;
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    if (chunked) {
        head += "Transfer-Encoding: chunked\r\n";
    } else if (!hasHeader(response.headers, "Content-Length")) {
        const qint64 length = streaming ? response.streamBytes : response.body.size();
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    head += connection->closeAfter ? "Connection: close\r\n\r\n" : "Connection: keep-alive\r\n\r\n";
    socket->write(head);

    if (response.fault == Fault::closeMidBody) {
        socket->write(response.body.left(response.body.size() / 2));
        connection->closed = true;
        socket->disconnectFromHost();
        return;
    }
    if (streaming) {
        connection->streamRemaining = response.streamBytes;
        connection->streamChunked = chunked;
        pump(connection);
        return;
    }
    if (request.method != "HEAD")
        socket->write(response.body);
    finishExchange(connection);
}

void LocalHttpServer::pump(const std::shared_ptr<Connection>& connection) {
    QTcpSocket* socket = connection->socket;
    // A peer that went away fails the writes and empties the buffer; stop rather than "send" into nothing.
    while (connection->streamRemaining > 0 && socket->state() == QAbstractSocket::ConnectedState &&
           socket->bytesToWrite() < streamBacklogBytes) {
        const qint64 size = std::min(streamChunkBytes, connection->streamRemaining);
        if (connection->streamChunked)
            socket->write(QByteArray::number(size, 16) + "\r\n");
        socket->write(filler().constData(), size);
        if (connection->streamChunked)
            socket->write("\r\n");
        connection->streamRemaining -= size;
        if (connection->streamRemaining == 0) {
            if (connection->streamChunked)
                socket->write("0\r\n\r\n");
            finishExchange(connection);
        }
    }
}

void LocalHttpServer::finishExchange(const std::shared_ptr<Connection>& connection) {
    connection->busy = false;
    if (connection->closeAfter) {
        connection->closed = true;
        connection->socket->disconnectFromHost();
        return;
    }
    // Requests that arrived while this one was answered (pipelined or sent during a delay).
    QMetaObject::invokeMethod(
        this, [this, connection] { process(connection); }, Qt::QueuedConnection);
}

void LocalHttpServer::fail(const std::shared_ptr<Connection>& connection, int status) {
    connection->socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                              "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    connection->closed = true;
    connection->busy = true;
    connection->socket->disconnectFromHost();
}
