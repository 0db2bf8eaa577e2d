#pragma once

#include "net/http_client.h"

#include <QList>
#include <algorithm>
#include <chrono>

// Passes requests on with their time-out shortened to `cap`, so that a server that never answers can be
// tested without waiting a minute; remembers the time-out each request asked for.
class CappedTimeoutHttpClient final : public HttpClient {
public:
    CappedTimeoutHttpClient(HttpClient& inner, std::chrono::milliseconds cap) : m_inner(inner), m_cap(cap) {}

    QCoro::Task<HttpResponse> send(HttpRequest request) override {
        m_askedTimeouts.append(request.timeout);
        request.timeout = std::min(request.timeout, m_cap);
        return m_inner.send(std::move(request));
    }

    const QList<std::chrono::milliseconds>& askedTimeouts() const { return m_askedTimeouts; }

private:
    HttpClient& m_inner;
    std::chrono::milliseconds m_cap;
    QList<std::chrono::milliseconds> m_askedTimeouts;
};
