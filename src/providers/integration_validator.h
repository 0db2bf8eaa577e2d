#pragma once

#include <QCoroTask>
#include <QString>

class HttpClient;
struct ServiceEndpoints;

// Checks a Stripe or Datafast key before the integration counts as connected: first its shape, then one cheap
// authenticated request. Fails with ProviderError for what it detects itself; TransportError passes through.
class IntegrationValidator {
public:
    IntegrationValidator(HttpClient& http, const ServiceEndpoints& endpoints);

    // White space around the key is ignored; a key without "sk_" or "rk_" is refused without a request.
    QCoro::Task<void> validateStripe(QString secretKey);
    // White space around both is ignored; the key's shape is checked before the website id, both without a
    // request.
    QCoro::Task<void> validateDatafast(QString apiKey, QString websiteId);

    // The API version every Stripe request pins, so the answers keep the shapes this program reads.
    static QByteArray stripeApiVersion();

private:
    HttpClient& m_http;
    const ServiceEndpoints& m_endpoints;
};
