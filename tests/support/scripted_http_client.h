#pragma once

#include "net/http_client.h"

#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <variant>

// An HttpClient for unit tests: records every request and answers from a queue of responses and transport
// failures, then from the handler if one is set. A request with nothing to answer it fails the test.
class ScriptedHttpClient final : public HttpClient {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    void enqueue(HttpResponse response);
    void enqueue(int status, QByteArray body, QList<QPair<QByteArray, QByteArray>> headers = {});
    void enqueueTransportError(QString description = QStringLiteral("The network connection was lost."));
    // Answers once the queue is empty; it may throw TransportError to simulate a failure.
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    QCoro::Task<HttpResponse> send(HttpRequest request) override;

    const QList<HttpRequest>& requests() const { return m_requests; }
    const HttpRequest& lastRequest() const;
    int remainingAnswers() const { return int(m_queue.size()); }
    void clearRequests() { m_requests.clear(); }

private:
    struct Failure {
        QString description;
    };
    std::deque<std::variant<HttpResponse, Failure>> m_queue;
    Handler m_handler;
    QList<HttpRequest> m_requests;
};
