#include "google/google_oauth_error.h"

GoogleOAuthError GoogleOAuthError::oauthDenied(const std::optional<QString>& reason) {
    if (reason && !reason->isEmpty())
        return {Case::oauthDenied, QStringLiteral("Google sign-in denied: ") + *reason, reason};
    return {Case::oauthDenied, QStringLiteral("Google sign-in was denied."), reason};
}

GoogleOAuthError GoogleOAuthError::tokenExchangeFailed(const QString& message) {
    return {Case::tokenExchangeFailed, message, message};
}

GoogleOAuthError GoogleOAuthError::loopbackFailed(const QString& message) {
    return {Case::loopbackFailed, message, message};
}

GoogleOAuthError GoogleOAuthError::notConfigured() {
    return {Case::notConfigured,
            QStringLiteral("Google OAuth isn't configured. Add ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID to the CMake "
                           "options or the environment (Desktop OAuth client).")};
}

GoogleOAuthError GoogleOAuthError::browserOpenFailed() {
    return {Case::browserOpenFailed, QStringLiteral("Could not open your browser for Google sign-in.")};
}

GoogleOAuthError GoogleOAuthError::cancelled() {
    return {Case::cancelled, QStringLiteral("Google sign-in timed out or was cancelled.")};
}

GoogleOAuthError GoogleOAuthError::missingCode() {
    return {Case::missingCode, QStringLiteral("Google did not return an authorization code.")};
}

GoogleOAuthError GoogleOAuthError::missingRefreshToken() {
    return {Case::missingRefreshToken,
            QStringLiteral("Google did not return a refresh token. Try again and approve all permissions.")};
}

GoogleOAuthError GoogleOAuthError::stateMismatch() {
    return {Case::stateMismatch, QStringLiteral("The sign-in answer did not match this sign-in request.")};
}
