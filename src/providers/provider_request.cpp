#include "providers/provider_request.h"

#include "providers/decoding_error.h"
#include "providers/provider_error.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

namespace ProviderRequest {

HttpRequest authorized(const std::optional<QString>& credential, const QUrl& url, const QByteArray& method) {
    if (!credential || credential->isEmpty())
        throw ProviderError::notConfigured();
    HttpRequest request;
    request.method = method;
    request.url = url;
    request.timeout = std::chrono::milliseconds(60000);
    request.setHeader(QByteArrayLiteral("Authorization"),
                      QByteArrayLiteral("Bearer ") + credential->toUtf8());
    return request;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

void checkStatus(const HttpResponse& response, const QString& fallbackText) {
    if (response.status >= 400)
        throw ProviderError::apiError(decodeUtf8(response.body).value_or(fallbackText));
}

QJsonObject decodeObject(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(error.errorString());
    if (!document.isObject())
        throw DecodingError(QStringLiteral("The response is not a JSON object."));
    return document.object();
}

QJsonObject checkedObject(const HttpResponse& response, const QString& fallbackText) {
    checkStatus(response, fallbackText);
    return decodeObject(response.body);
}

} // namespace ProviderRequest
