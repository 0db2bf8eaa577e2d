#include "net/qt_http_client.h"

#include "net/transport_error.h"

#include <QCoroNetworkReply>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr char clientGoneProperty[] = "zingboardClientGone";
constexpr qint64 readBufferBytes = 256 * 1024;

// What the coroutine and the reply's signal handlers share; it outlives the client if need be.
struct Transfer {
    qint64 cap = 0;
    QByteArray body;
    bool tooLarge = false;
};

// Qt reports HTTP error statuses as reply errors too. Only the content and server classes (plus 400's own
// code) are answers; a network-class error with a status means the answer was cut off (closed mid-body,
// timed out after the headers, redirect refused or looping), which must not pass as a complete answer.
bool isHttpAnswer(QNetworkReply::NetworkError error) {
    const int code = int(error);
    return error == QNetworkReply::NoError || (code >= 200 && code < 300) ||
           error == QNetworkReply::ProtocolInvalidOperationError || (code >= 400 && code < 500);
}

void stopTooLarge(QNetworkReply* reply, Transfer& transfer) {
    transfer.tooLarge = true;
    transfer.body.clear();
    transfer.body.squeeze();
    // Queued, so that the reply is not finished from inside its own signal.
    QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
}

QNetworkReply* start(QNetworkAccessManager& manager, const QNetworkRequest& request,
                     const HttpRequest& source) {
    if (source.method == "GET" && source.body.isEmpty())
        return manager.get(request);
    if (source.method == "HEAD" && source.body.isEmpty())
        return manager.head(request);
    if (source.method == "DELETE" && source.body.isEmpty())
        return manager.deleteResource(request);
    if (source.method == "POST")
        return manager.post(request, source.body);
    if (source.method == "PUT")
        return manager.put(request, source.body);
    return manager.sendCustomRequest(request, source.method, source.body);
}

} // namespace

QtHttpClient::QtHttpClient()
    : m_ownedManager(std::make_unique<QNetworkAccessManager>()), m_manager(m_ownedManager.get()) {}

QtHttpClient::QtHttpClient(QNetworkAccessManager* manager) : m_manager(manager) {}

QtHttpClient::~QtHttpClient() {
    cancelAll();
}

void QtHttpClient::cancelAll() {
    // A sender resumed by the abort may send its next request at once; that one is ended too. The rounds are
    // bounded so that a sender that retries forever cannot hold us here.
    for (int round = 0; round < 16 && !m_inFlight.isEmpty(); ++round) {
        const QList<QPointer<QNetworkReply>> inFlight = std::exchange(m_inFlight, {});
        for (const QPointer<QNetworkReply>& reply : inFlight) {
            if (reply && reply->isRunning()) {
                reply->setProperty(clientGoneProperty, true);
                reply->abort();
            }
        }
    }
}

QCoro::Task<HttpResponse> QtHttpClient::send(HttpRequest request) {
    if (!m_manager)
        throw TransportError(QStringLiteral("The network is not available."));
    const QString scheme = request.url.scheme();
    if (!request.url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        throw TransportError(QStringLiteral("The request address is not valid."));

    QNetworkRequest networkRequest(request.url);
    for (const auto& [name, value] : std::as_const(request.headers))
        networkRequest.setRawHeader(name, value);
    const qint64 timeoutMs = request.timeout.count() > 0 ? request.timeout.count() : 60000;
    networkRequest.setTransferTimeout(int(std::min<qint64>(timeoutMs, INT_MAX)));
    // A bearer credential, and a body (a token request's form carries the client secret, the code or the
    // refresh token, and a 307 resends it), must never follow a redirect to another host; other requests may
    // follow any redirect that does not drop from HTTPS to HTTP. Qt's default hop limit ends redirect loops.
    networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                request.header("Authorization").isEmpty() && request.body.isEmpty()
                                    ? QNetworkRequest::NoLessSafeRedirectPolicy
                                    : QNetworkRequest::SameOriginRedirectPolicy);

    auto transfer = std::make_shared<Transfer>();
    transfer->cap = m_maxResponseBytes;

    QNetworkReply* reply = start(*m_manager, networkRequest, request);
    // Without a limit Qt's network thread reads on unbounded, ahead of us; with it, the socket is only read
    // as fast as the body is taken below, so refusing an oversized body frees the memory at once.
    reply->setReadBufferSize(readBufferBytes);
    // A request with a body starts a turn later, and the limit set above is lost when it reaches Qt's network
    // thread before the start. Set again once the request is out (after each redirect too), it holds answers
    // to POSTs as well. (Set right after the start, Qt now and then opened a new connection for the next
    // request.)
    QObject::connect(reply, &QNetworkReply::requestSent, reply,
                     [reply] { reply->setReadBufferSize(readBufferBytes); });
    m_inFlight.removeIf([](const QPointer<QNetworkReply>& pending) { return pending.isNull(); });
    m_inFlight.append(reply);

    // A declared length over the cap is refused before any of the body arrives.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, transfer] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!transfer->tooLarge && length.isValid() && length.toLongLong() > transfer->cap)
            stopTooLarge(reply, *transfer);
    });
    // The body is taken as it arrives so that Qt's own buffer never holds more than one read's worth.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer] {
        if (transfer->tooLarge || !reply->isOpen())
            return;
        if (transfer->body.size() + reply->bytesAvailable() > transfer->cap) {
            stopTooLarge(reply, *transfer);
            return;
        }
        transfer->body += reply->readAll();
    });

    co_await reply;
    // From here on `this` may be gone: only locals are used.

    const std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> owner(
        reply, [](QNetworkReply* r) { r->deleteLater(); });
    if (reply->property(clientGoneProperty).toBool())
        throw TransportError(QStringLiteral("The request was cancelled."));
    if (transfer->tooLarge)
        throw TransportError(QStringLiteral("The response is too large."));

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    if (!status.isValid() || !isHttpAnswer(error)) {
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            throw TransportError(QStringLiteral("The request timed out."));
        if (error == QNetworkReply::NoError)
            throw TransportError(QStringLiteral("The server did not send an HTTP answer."));
        // Qt ends some redirect chains of requests with a body in an unnamed error.
        if (error == QNetworkReply::UnknownNetworkError && status.toInt() >= 300 && status.toInt() < 400)
            throw TransportError(
                QStringLiteral("The request failed while following the server's redirects."));
        throw TransportError(reply->errorString());
    }

    if (reply->isOpen()) {
        if (transfer->body.size() + reply->bytesAvailable() > transfer->cap)
            throw TransportError(QStringLiteral("The response is too large."));
        transfer->body += reply->readAll();
    }

    HttpResponse response;
    response.status = status.toInt();
    for (const auto& [name, value] : reply->rawHeaderPairs())
        response.headers.append({name, value});
    response.body = std::move(transfer->body);
    co_return response;
}
