#pragma once

#include "net/http_request.h"
#include "net/http_response.h"

#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <optional>

// The request and response conventions every network-backed provider shares.
namespace ProviderRequest {

// A request carrying "Authorization: Bearer <credential>" with the 60-second time-out. An absent or empty
// credential throws ProviderError::notConfigured() so that nothing is sent; white space is kept as stored.
HttpRequest authorized(const std::optional<QString>& credential, const QUrl& url,
                       const QByteArray& method = QByteArrayLiteral("GET"));

// Throws ProviderError::apiError for a status of 400 or more: the body as UTF-8 text, or `fallbackText` when
// the body is not valid UTF-8.
void checkStatus(const HttpResponse& response, const QString& fallbackText);

// The body as a JSON object; anything else throws DecodingError with the parser's description.
QJsonObject decodeObject(const QByteArray& body);

// checkStatus, then decodeObject.
QJsonObject checkedObject(const HttpResponse& response, const QString& fallbackText);

// The text of `bytes` if they are valid UTF-8.
std::optional<QString> decodeUtf8(const QByteArray& bytes);

} // namespace ProviderRequest
