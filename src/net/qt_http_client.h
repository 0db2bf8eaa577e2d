#pragma once

#include "net/http_client.h"

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <memory>

// HttpClient over one QNetworkAccessManager. Every status is an answer; a failed or cut-off transfer, a
// time-out, a refused redirect and an answer larger than the cap are TransportError.
class QtHttpClient final : public HttpClient {
public:
    static constexpr qint64 defaultMaxResponseBytes = 10 * 1024 * 1024;

    // Owns a manager of its own.
    QtHttpClient();
    // Uses `manager`, which must outlive the requests sent through this client.
    explicit QtHttpClient(QNetworkAccessManager* manager);
    ~QtHttpClient() override;

    QtHttpClient(const QtHttpClient&) = delete;
    QtHttpClient& operator=(const QtHttpClient&) = delete;

    QCoro::Task<HttpResponse> send(HttpRequest request) override;
    // Ends every request in flight now: their senders resume with TransportError before this returns.
    void cancelAll();

    void setMaxResponseBytes(qint64 bytes) { m_maxResponseBytes = bytes; }
    qint64 maxResponseBytes() const { return m_maxResponseBytes; }

private:
    std::unique_ptr<QNetworkAccessManager> m_ownedManager;
    QPointer<QNetworkAccessManager> m_manager;
    qint64 m_maxResponseBytes = defaultMaxResponseBytes;
    // Requests still in flight, aborted when the client goes so that their callers are not left waiting.
    QList<QPointer<QNetworkReply>> m_inFlight;
};
