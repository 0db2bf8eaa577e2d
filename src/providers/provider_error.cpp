#include "providers/provider_error.h"

ProviderError ProviderError::apiError(const QString& message) {
    return ProviderError(Case::apiError, message);
}

ProviderError ProviderError::notConfigured() {
    return ProviderError(Case::notConfigured, QStringLiteral("Integration not configured."));
}

ProviderError ProviderError::invalidResponse() {
    return ProviderError(Case::invalidResponse, QStringLiteral("Unexpected API response."));
}
