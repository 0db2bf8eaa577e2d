#pragma once

#include "engine/credential_validator.h"
#include "providers/integration_validator.h"

class HttpClient;
class KeychainStore;
struct ServiceEndpoints;

// The engine's credential check over the stored Stripe and Datafast credentials. Google needs no check here
// (its sign-in is the check) and the demo source has no credentials.
class ProviderCredentialValidator final : public CredentialValidator {
public:
    ProviderCredentialValidator(HttpClient& http, KeychainStore& keychain, const ServiceEndpoints& endpoints);

    // An absent credential is checked as an empty one, so it fails with the same text as a blank entry.
    QCoro::Task<void> validate(IntegrationProvider provider) override;

private:
    KeychainStore& m_keychain;
    IntegrationValidator m_validator;
};
