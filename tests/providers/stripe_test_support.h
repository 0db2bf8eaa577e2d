#pragma once

#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "providers/stripe/stripe_provider.h"
#include "support/fake_clock.h"
#include "support/manual_gate.h"
#include "support/memory_credential_store.h"
#include "support/scripted_http_client.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>
#include <deque>
#include <optional>

namespace StripeTesting {

// 2026-12-07 15:00 UTC, 10:00 in the fixture account's zone (UTC-5): local midnight is 05:00 UTC.
QDateTime fixtureNow();
QTimeZone fixtureZone();
inline constexpr qint64 fixtureNowSeconds = 1796655600;
inline constexpr qint64 fixtureMidnightSeconds = 1796619600;

QByteArray readFixture(const char* name);
QJsonArray fixtureData(const char* name);

// The slice of the Stripe API the provider uses, answering like the service: newest first, `created[gte]`,
// `types[]`, `limit`, `starting_after` paging with `has_more`, expansions (an object that was not asked for
// comes back as its id), 400 for an expansion deeper than four levels, 401 for a wrong key.
class FakeStripeService {
public:
    struct Answer {
        int status = 200;
        QByteArray body;
    };
    using Query = QList<QPair<QString, QString>>;

    QString secretKey = QStringLiteral("sk_test_fixture");
    QJsonArray charges;       // newest first
    QJsonArray subscriptions; // newest first
    QJsonArray events;        // newest first

    Answer answer(const QString& path, const Query& query, const QByteArray& authorization) const;
    // For ScriptedHttpClient::setHandler.
    HttpResponse respond(const HttpRequest& request) const;

    static FakeStripeService fixtureAccount();
};

// Each request waits until the test answers it, so tests can see which requests are in flight together.
class GatedHttpClient final : public HttpClient {
public:
    QCoro::Task<HttpResponse> send(HttpRequest request) override;

    int sentCount() const { return int(m_slots.size()); }
    const HttpRequest& request(int index) const { return m_slots.at(size_t(index)).request; }
    bool isWaiting(int index) const { return !m_slots.at(size_t(index)).gate.isOpen(); }
    void answer(int index, HttpResponse response);
    void answer(int index, const FakeStripeService& service);
    void failTransport(int index,
                       const QString& description = QStringLiteral("The network connection was lost."));

private:
    struct Slot {
        HttpRequest request;
        ManualGate gate;
        HttpResponse response;
        std::optional<QString> failure;
    };
    std::deque<Slot> m_slots; // deque: slots stay put while more are added
};

// A provider over scripted HTTP, an in-memory key store and the fixture clock.
struct ProviderHarness {
    explicit ProviderHarness(HttpClient* http = nullptr);

    FakeClock clock{fixtureNow(), fixtureZone()};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ScriptedHttpClient scripted;
    ServiceEndpoints endpoints = testEndpoints();
    StripeProvider provider;

    static ServiceEndpoints testEndpoints();

    void setKey(const QString& key);
};

// The query items of a request URL, decoded, in order.
QList<QPair<QString, QString>> queryItems(const QUrl& url);
QStringList queryValues(const QUrl& url, const QString& name);

// A list body with `data` and `has_more`.
QByteArray listBody(const QJsonArray& data, bool hasMore = false);
// A minimal valid charge.
QJsonObject minimalCharge(const QString& id, qint64 amount, qint64 created, bool paid = true,
                          bool refunded = false);

} // namespace StripeTesting
