#pragma once

#include "model/zing_error.h"

#include <optional>

// The errors of the Google sign-in; the description is what the connect screen shows.
class GoogleOAuthError : public ZingError {
public:
    enum class Case {
        oauthDenied,
        tokenExchangeFailed,
        loopbackFailed,
        notConfigured,
        browserOpenFailed,
        cancelled,
        missingCode,
        missingRefreshToken,
        // The redirect did not carry this sign-in's `state`: another page's answer, or a forged one.
        stateMismatch,
    };

    // Google's error description or error code, when it sent one.
    static GoogleOAuthError oauthDenied(const std::optional<QString>& reason);
    static GoogleOAuthError tokenExchangeFailed(const QString& message);
    static GoogleOAuthError loopbackFailed(const QString& message);
    static GoogleOAuthError notConfigured();
    static GoogleOAuthError browserOpenFailed();
    static GoogleOAuthError cancelled();
    static GoogleOAuthError missingCode();
    static GoogleOAuthError missingRefreshToken();
    static GoogleOAuthError stateMismatch();

    Case errorCase() const { return m_case; }
    // The payload of oauthDenied, tokenExchangeFailed and loopbackFailed.
    const std::optional<QString>& payload() const { return m_payload; }

private:
    GoogleOAuthError(Case errorCase, QString description, std::optional<QString> payload = std::nullopt)
        : ZingError(std::move(description)), m_case(errorCase), m_payload(std::move(payload)) {}
    Case m_case;
    std::optional<QString> m_payload;
};
