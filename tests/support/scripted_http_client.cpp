#include "support/scripted_http_client.h"

#include "net/transport_error.h"

#include <gtest/gtest.h>
#include <stdexcept>

void ScriptedHttpClient::enqueue(HttpResponse response) {
    m_queue.emplace_back(std::move(response));
}

void ScriptedHttpClient::enqueue(int status, QByteArray body, QList<QPair<QByteArray, QByteArray>> headers) {
    enqueue(HttpResponse{status, std::move(headers), std::move(body)});
}

void ScriptedHttpClient::enqueueTransportError(QString description) {
    m_queue.emplace_back(Failure{std::move(description)});
}

const HttpRequest& ScriptedHttpClient::lastRequest() const {
    if (m_requests.isEmpty())
        throw std::logic_error("ScriptedHttpClient: no request was sent");
    return m_requests.constLast();
}

QCoro::Task<HttpResponse> ScriptedHttpClient::send(HttpRequest request) {
    m_requests.append(request);
    if (!m_queue.empty()) {
        auto answer = std::move(m_queue.front());
        m_queue.pop_front();
        if (auto* failure = std::get_if<Failure>(&answer))
            throw TransportError(failure->description);
        co_return std::get<HttpResponse>(std::move(answer));
    }
    if (m_handler)
        co_return m_handler(request);
    ADD_FAILURE() << "ScriptedHttpClient: unexpected request " << request.method.constData() << ' '
                  << request.url.toString().toStdString() << " with nothing queued";
    throw TransportError(QStringLiteral("ScriptedHttpClient: no answer queued for ") +
                         request.url.toString());
}
