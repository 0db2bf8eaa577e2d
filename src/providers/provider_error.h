#pragma once

#include "model/zing_error.h"

// The error providers raise for conditions they detect themselves. The description is the user text.
class ProviderError : public ZingError {
public:
    enum class Case { apiError, notConfigured, invalidResponse };

    // The description is `message` itself, without prefix or suffix.
    static ProviderError apiError(const QString& message);
    static ProviderError notConfigured();
    static ProviderError invalidResponse();

    Case errorCase() const { return m_case; }

private:
    ProviderError(Case errorCase, QString description)
        : ZingError(std::move(description)), m_case(errorCase) {}
    Case m_case;
};
