#include "stripe_test_support.h"

#include "model/credential_accounts.h"
#include "net/transport_error.h"

#include <QFile>
#include <QJsonDocument>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace StripeTesting {

QDateTime fixtureNow() {
    return QDateTime::fromSecsSinceEpoch(fixtureNowSeconds, Qt::UTC);
}
QTimeZone fixtureZone() {
    return QTimeZone(-5 * 3600);
}

QByteArray readFixture(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/stripe/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name;
        return {};
    }
    return file.readAll();
}

QJsonArray fixtureData(const char* name) {
    return QJsonDocument::fromJson(readFixture(name)).object().value(QLatin1String("data")).toArray();
}

namespace {

using Answer = FakeStripeService::Answer;

Answer error(int status, const QString& type, const QString& message) {
    QJsonObject inner{{QStringLiteral("type"), type}, {QStringLiteral("message"), message}};
    return {status, QJsonDocument(QJsonObject{{QStringLiteral("error"), inner}}).toJson()};
}

QStringList valuesOf(const FakeStripeService::Query& query, const QString& name) {
    QStringList values;
    for (const auto& [key, value] : query) {
        if (key == name)
            values.append(value);
    }
    return values;
}

// Replaces an object member by its id unless its expansion was asked for.
void collapse(QJsonObject& object, const QString& member, const QStringList& expand) {
    if (expand.contains(QStringLiteral("data.") + member))
        return;
    const QJsonValue value = object.value(member);
    if (value.isObject())
        object.insert(member, value.toObject().value(QLatin1String("id")));
}

Answer page(QList<QJsonObject> objects, const FakeStripeService::Query& query, const QString& url) {
    const QStringList after = valuesOf(query, QStringLiteral("starting_after"));
    if (!after.isEmpty()) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < objects.size(); ++i) {
            if (objects[i].value(QLatin1String("id")).toString() == after.constFirst())
                at = i;
        }
        if (at < 0)
            return error(400, QStringLiteral("invalid_request_error"),
                         QStringLiteral("No such object: '") + after.constFirst() + QStringLiteral("'"));
        objects = objects.mid(at + 1);
    }
    const QStringList limits = valuesOf(query, QStringLiteral("limit"));
    const int limit = limits.isEmpty() ? 10 : limits.constFirst().toInt();
    if (limit < 1 || limit > 100)
        return error(400, QStringLiteral("invalid_request_error"), QStringLiteral("Invalid limit"));
    QJsonArray data;
    for (qsizetype i = 0; i < objects.size() && i < limit; ++i)
        data.append(objects[i]);
    QJsonObject body{{QStringLiteral("object"), QStringLiteral("list")},
                     {QStringLiteral("data"), data},
                     {QStringLiteral("has_more"), objects.size() > limit},
                     {QStringLiteral("url"), url}};
    return {200, QJsonDocument(body).toJson(QJsonDocument::Compact)};
}

} // namespace

Answer FakeStripeService::answer(const QString& path, const Query& query,
                                 const QByteArray& authorization) const {
    if (authorization != QByteArrayLiteral("Bearer ") + secretKey.toUtf8())
        return error(401, QStringLiteral("invalid_request_error"),
                     QStringLiteral("Invalid API Key provided"));
    const QStringList expand = valuesOf(query, QStringLiteral("expand[]"));
    for (const QString& value : expand) {
        if (value.split(QLatin1Char('.')).size() > 4)
            return error(400, QStringLiteral("invalid_request_error"),
                         QStringLiteral("You cannot expand more than 4 levels of a property. Property: ") +
                             value);
    }
    const QStringList gte = valuesOf(query, QStringLiteral("created[gte]"));
    const auto createdOk = [&](const QJsonObject& object) {
        return gte.isEmpty() ||
               object.value(QLatin1String("created")).toDouble() >= gte.constFirst().toDouble();
    };

    QList<QJsonObject> selected;
    if (path == QLatin1String("/v1/charges")) {
        for (const QJsonValue& value : charges) {
            QJsonObject charge = value.toObject();
            if (!createdOk(charge))
                continue;
            collapse(charge, QStringLiteral("customer"), expand);
            collapse(charge, QStringLiteral("invoice"), expand);
            selected.append(charge);
        }
    } else if (path == QLatin1String("/v1/subscriptions")) {
        const QStringList status = valuesOf(query, QStringLiteral("status"));
        for (const QJsonValue& value : subscriptions) {
            const QJsonObject subscription = value.toObject();
            const QString own = subscription.value(QLatin1String("status")).toString();
            // Without a status the service leaves canceled ones out.
            const bool wanted = status.isEmpty() ? own != QLatin1String("canceled")
                                                 : (status.constFirst() == QLatin1String("all") ||
                                                    status.constFirst() == own);
            if (wanted)
                selected.append(subscription);
        }
    } else if (path == QLatin1String("/v1/events")) {
        const QStringList types = valuesOf(query, QStringLiteral("types[]"));
        for (const QJsonValue& value : events) {
            const QJsonObject event = value.toObject();
            if (createdOk(event) &&
                (types.isEmpty() || types.contains(event.value(QLatin1String("type")).toString())))
                selected.append(event);
        }
    } else {
        return error(404, QStringLiteral("invalid_request_error"),
                     QStringLiteral("Unrecognized request URL"));
    }
    return page(selected, query, path);
}

HttpResponse FakeStripeService::respond(const HttpRequest& request) const {
    const Answer a = answer(request.url.path(), queryItems(request.url), request.header("Authorization"));
    return HttpResponse{a.status, {{"Content-Type", "application/json"}}, a.body};
}

FakeStripeService FakeStripeService::fixtureAccount() {
    FakeStripeService service;
    service.charges = fixtureData("account_charges.json");
    service.subscriptions = fixtureData("account_subscriptions.json");
    service.events = fixtureData("events.json");
    return service;
}

QCoro::Task<HttpResponse> GatedHttpClient::send(HttpRequest request) {
    Slot& slot = m_slots.emplace_back();
    slot.request = std::move(request);
    slot.gate.close();
    co_await slot.gate.wait();
    if (slot.failure)
        throw TransportError(*slot.failure);
    co_return slot.response;
}

void GatedHttpClient::answer(int index, HttpResponse response) {
    Slot& slot = m_slots.at(size_t(index));
    slot.response = std::move(response);
    slot.gate.open();
}

void GatedHttpClient::answer(int index, const FakeStripeService& service) {
    answer(index, service.respond(request(index)));
}

void GatedHttpClient::failTransport(int index, const QString& description) {
    Slot& slot = m_slots.at(size_t(index));
    slot.failure = description;
    slot.gate.open();
}

ProviderHarness::ProviderHarness(HttpClient* http)
    : provider(http ? *http : scripted, keychain, clock, endpoints) {
    setKey(QStringLiteral("sk_test_fixture"));
}

ServiceEndpoints ProviderHarness::testEndpoints() {
    ServiceEndpoints endpoints;
    endpoints.stripeApiBase = QStringLiteral("https://stripe.test");
    return endpoints;
}

void ProviderHarness::setKey(const QString& key) {
    credentials.put(CredentialAccounts::stripeSecretKey(), key.toUtf8());
}

QList<QPair<QString, QString>> queryItems(const QUrl& url) {
    return QUrlQuery(url).queryItems(QUrl::FullyDecoded);
}

QStringList queryValues(const QUrl& url, const QString& name) {
    QStringList values;
    for (const auto& [key, value] : queryItems(url)) {
        if (key == name)
            values.append(value);
    }
    return values;
}

QByteArray listBody(const QJsonArray& data, bool hasMore) {
    return QJsonDocument(QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                     {QStringLiteral("data"), data},
                                     {QStringLiteral("has_more"), hasMore}})
        .toJson(QJsonDocument::Compact);
}

QJsonObject minimalCharge(const QString& id, qint64 amount, qint64 created, bool paid, bool refunded) {
    return QJsonObject{{QStringLiteral("id"), id},
                       {QStringLiteral("object"), QStringLiteral("charge")},
                       {QStringLiteral("amount"), amount},
                       {QStringLiteral("paid"), paid},
                       {QStringLiteral("refunded"), refunded},
                       {QStringLiteral("created"), created},
                       {QStringLiteral("customer"), QJsonValue::Null}};
}

} // namespace StripeTesting
