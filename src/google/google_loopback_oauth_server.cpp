#include "google/google_loopback_oauth_server.h"

#include <QHostAddress>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>

namespace {

const QString callbackPath = QStringLiteral("/oauth/callback");

struct QueryItem {
    QString name;
    std::optional<QString> value; // absent for an item without "="
};

// Decodes percent-escapes and nothing else ("+" stays a plus), as URL query reading does.
QList<QueryItem> queryItems(const QString& encodedQuery) {
    QList<QueryItem> items;
    if (encodedQuery.isEmpty())
        return items;
    for (const QString& part : encodedQuery.split(QLatin1Char('&'))) {
        const qsizetype equals = part.indexOf(QLatin1Char('='));
        QueryItem item;
        item.name = QUrl::fromPercentEncoding(part.left(equals < 0 ? part.size() : equals).toUtf8());
        if (equals >= 0)
            item.value = QUrl::fromPercentEncoding(part.mid(equals + 1).toUtf8());
        items.append(item);
    }
    return items;
}

const QueryItem* firstItem(const QList<QueryItem>& items, const QString& name) {
    for (const QueryItem& item : items) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

std::optional<QString> strictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Printable text without a line break yet: the rest of the request line may be on its way.
bool couldBeRequestLineStart(const QByteArray& data) {
    if (!strictUtf8(data))
        return false;
    return std::none_of(data.begin(), data.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

QByteArray notFoundAnswer() {
    return QByteArrayLiteral("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

} // namespace

GoogleLoopbackOAuthServer::GoogleLoopbackOAuthServer(Clock& clock, std::chrono::milliseconds timeout,
                                                     QObject* parent)
    : QObject(parent), m_clock(clock), m_timeout(timeout) {
    connect(&m_server, &QTcpServer::newConnection, this, &GoogleLoopbackOAuthServer::acceptConnections);
    connect(&m_server, &QTcpServer::acceptError, this, [this](QAbstractSocket::SocketError) {
        fail(GoogleOAuthError::loopbackFailed(m_server.errorString()));
    });
}

GoogleLoopbackOAuthServer::~GoogleLoopbackOAuthServer() {
    if (m_timer)
        m_clock.cancel(*m_timer);
}

QByteArray GoogleLoopbackOAuthServer::htmlAnswer(const QString& title, const QString& text) {
    const QByteArray page =
        (QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + title +
         QStringLiteral(
             "</title></head><body style=\"font-family:-apple-system,sans-serif;padding:40px;text-align:"
             "center;\"><h1>") +
         title + QStringLiteral("</h1><p>") + text + QStringLiteral("</p></body></html>"))
            .toUtf8();
    return QByteArrayLiteral(
               "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
               "Content-Length: ") +
           QByteArray::number(page.size()) + QByteArrayLiteral("\r\n\r\n") + page;
}

void GoogleLoopbackOAuthServer::start(int port, const QString& expectedState) {
    m_expectedState = expectedState;
    if (port < 1 || port > 65535) {
        fail(GoogleOAuthError::loopbackFailed(QStringLiteral("Invalid loopback port.")));
        return;
    }
    // Only the loopback interface: the redirect arrives through 127.0.0.1 and nobody else needs to reach us.
    // Google's desktop clients accept any loopback port, so a port held by another program is no reason to
    // fail.
    if (!m_server.listen(QHostAddress(QHostAddress::LocalHost), quint16(port)) &&
        !m_server.listen(QHostAddress(QHostAddress::LocalHost), 0)) {
        fail(GoogleOAuthError::loopbackFailed(m_server.errorString()));
        return;
    }
    m_timer = m_clock.callAfter(m_timeout, this, [this] {
        m_timer.reset();
        fail(GoogleOAuthError::cancelled());
    });
}

QCoro::Task<QString> GoogleLoopbackOAuthServer::result() {
    return m_guard.result();
}

void GoogleLoopbackOAuthServer::cancel() {
    fail(GoogleOAuthError::cancelled());
}

void GoogleLoopbackOAuthServer::acceptConnections() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_guard.isResolved()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_received.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { peerClosed(socket); });
        if (socket->bytesAvailable() > 0)
            receive(socket);
    }
}

void GoogleLoopbackOAuthServer::receive(QTcpSocket* socket) {
    auto it = m_received.find(socket);
    if (it == m_received.end())
        return;
    it->append(socket->read(maxRequestBytes - it->size()));
    // Only the request line matters: a request line still arriving is waited for, anything else is judged
    // now.
    if (it->contains("\r\n") || it->size() >= maxRequestBytes || !couldBeRequestLineStart(*it)) {
        const QByteArray data = *it;
        handle(socket, data);
    }
}

void GoogleLoopbackOAuthServer::peerClosed(QTcpSocket* socket) {
    auto it = m_received.find(socket);
    if (it == m_received.end())
        return;
    const QByteArray data = *it + socket->readAll().left(maxRequestBytes - it->size());
    if (data.isEmpty()) {
        // A speculative connection that never sent anything: the real redirect may still come.
        m_received.erase(it);
        socket->deleteLater();
        return;
    }
    handle(socket, data);
}

void GoogleLoopbackOAuthServer::handle(QTcpSocket* socket, const QByteArray& data) {
    m_received.remove(socket);
    const std::optional<QString> text = strictUtf8(data);
    if (!text) {
        sendAndClose(socket, QByteArray());
        fail(GoogleOAuthError::missingCode());
        return;
    }
    const qsizetype lineEnd = text->indexOf(QLatin1String("\r\n"));
    const QStringList fields =
        text->left(lineEnd < 0 ? text->size() : lineEnd).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QUrl url = fields.size() >= 2
                         ? QUrl(QStringLiteral("http://127.0.0.1") + fields.at(1), QUrl::StrictMode)
                         : QUrl();
    if (!url.isValid()) {
        sendAndClose(socket, QByteArray());
        fail(GoogleOAuthError::missingCode());
        return;
    }

    const QList<QueryItem> items = queryItems(url.query(QUrl::FullyEncoded));
    const QueryItem* error = firstItem(items, QStringLiteral("error"));
    const QueryItem* code = firstItem(items, QStringLiteral("code"));
    const bool carriesAnswer = (error && error->value) || (code && code->value && !code->value->isEmpty());
    if (!carriesAnswer && url.path() != callbackPath) {
        // A favicon or other side request of the browser: not the redirect, keep waiting for it.
        sendAndClose(socket, notFoundAnswer());
        return;
    }
    const QueryItem* state = firstItem(items, QStringLiteral("state"));
    if (m_expectedState.isEmpty() || !state || state->value != m_expectedState) {
        sendAndClose(socket, htmlAnswer(QStringLiteral("Sign-in failed"),
                                        QStringLiteral("This answer does not belong to the sign-in Zingboard "
                                                       "started. Return to Zingboard and try again.")));
        fail(GoogleOAuthError::stateMismatch());
        return;
    }
    if (error && error->value) {
        const QueryItem* description = firstItem(items, QStringLiteral("error_description"));
        const QString message = description && description->value ? *description->value : *error->value;
        sendAndClose(socket, htmlAnswer(QStringLiteral("Sign-in failed"),
                                        QStringLiteral("Return to Zingboard and try again.")));
        fail(GoogleOAuthError::oauthDenied(message));
        return;
    }
    if (code && code->value && !code->value->isEmpty()) {
        sendAndClose(socket,
                     htmlAnswer(QStringLiteral("Connected to Zingboard"),
                                QStringLiteral("Google is connected. You can close this tab and return to "
                                               "the app.")));
        succeed(*code->value);
        return;
    }
    sendAndClose(socket, htmlAnswer(QStringLiteral("Missing code"),
                                    QStringLiteral("Return to Zingboard and try again.")));
    fail(GoogleOAuthError::missingCode());
}

void GoogleLoopbackOAuthServer::sendAndClose(QTcpSocket* socket, const QByteArray& bytes) {
    m_received.remove(socket);
    // The answer must reach the browser even if this capture object goes away right after.
    socket->disconnect(this);
    socket->setParent(nullptr);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::errorOccurred, socket, &QObject::deleteLater);
    if (!bytes.isEmpty())
        socket->write(bytes);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void GoogleLoopbackOAuthServer::fail(const GoogleOAuthError& error) {
    if (m_guard.fail(error))
        finish();
}

void GoogleLoopbackOAuthServer::succeed(const QString& code) {
    if (m_guard.succeed(code))
        finish();
}

void GoogleLoopbackOAuthServer::finish() {
    m_server.close();
    if (m_timer) {
        m_clock.cancel(*m_timer);
        m_timer.reset();
    }
    const QList<QTcpSocket*> open = m_received.keys();
    m_received.clear();
    for (QTcpSocket* socket : open) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}
