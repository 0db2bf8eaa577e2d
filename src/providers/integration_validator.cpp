#include "providers/integration_validator.h"

#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"
#include "providers/datafast/datafast_provider.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"

namespace {

bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

// Any status below 400 means the service accepted the credentials; the body is never read.
void checkAnswer(const HttpResponse& response, const QString& rejectedText) {
    if (!isHttpStatus(response.status))
        throw ProviderError::invalidResponse();
    if (response.status >= 400)
        throw ProviderError::apiError(rejectedText);
}

} // namespace

IntegrationValidator::IntegrationValidator(HttpClient& http, const ServiceEndpoints& endpoints)
    : m_http(http), m_endpoints(endpoints) {}

QByteArray IntegrationValidator::stripeApiVersion() {
    return QByteArrayLiteral("2024-06-20");
}

QCoro::Task<void> IntegrationValidator::validateStripe(QString secretKey) {
    const QString key = secretKey.trimmed();
    if (!key.startsWith(QLatin1String("sk_")) && !key.startsWith(QLatin1String("rk_")))
        throw ProviderError::apiError(QStringLiteral("Stripe key should start with sk_ or rk_"));

    HttpRequest request = ProviderRequest::authorized(
        key, UrlBuilding::buildUrl(
                 m_endpoints.stripeApiBase,
                 UrlBuilding::pathFromSegments({QStringLiteral("v1"), QStringLiteral("balance")})));
    request.setHeader(QByteArrayLiteral("Stripe-Version"), stripeApiVersion());
    const HttpResponse response = co_await m_http.send(std::move(request));
    checkAnswer(response, QStringLiteral("Stripe rejected that key. Check permissions and try again."));
}

QCoro::Task<void> IntegrationValidator::validateDatafast(QString apiKey, QString websiteId) {
    const QString key = apiKey.trimmed();
    const QString website = websiteId.trimmed();
    // Order matters: a key of the wrong shape is reported even when the website id is missing too.
    if (!key.startsWith(QLatin1String("df_")))
        throw ProviderError::apiError(QStringLiteral("Datafast API key should start with df_"));
    if (website.isEmpty())
        throw ProviderError::apiError(QStringLiteral("Website ID is required."));

    const QUrl url = DatafastProvider::statsUrl(m_endpoints.datafastApiBase, website);
    if (!url.isValid())
        throw ProviderError::invalidResponse();
    HttpRequest request = ProviderRequest::authorized(key, url);
    const HttpResponse response = co_await m_http.send(std::move(request));
    checkAnswer(response, QStringLiteral("Datafast rejected that key or website ID."));
}
