#include "engine/provider_credential_validator.h"

#include "model/credential_accounts.h"
#include "model/keychain_store.h"

ProviderCredentialValidator::ProviderCredentialValidator(HttpClient& http, KeychainStore& keychain,
                                                         const ServiceEndpoints& endpoints)
    : m_keychain(keychain), m_validator(http, endpoints) {}

QCoro::Task<void> ProviderCredentialValidator::validate(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        co_await m_validator.validateStripe(
            (co_await m_keychain.load(CredentialAccounts::stripeSecretKey())).value_or(QString()));
        co_return;
    case IntegrationProvider::datafast: {
        // One after the other: argument order is unspecified, and the keyring answers in call order.
        const QString apiKey =
            (co_await m_keychain.load(CredentialAccounts::datafastApiKey())).value_or(QString());
        const QString websiteId =
            (co_await m_keychain.load(CredentialAccounts::datafastWebsiteId())).value_or(QString());
        co_await m_validator.validateDatafast(apiKey, websiteId);
    }
        co_return;
    case IntegrationProvider::googleAnalytics:
    case IntegrationProvider::googleSearchConsole:
    case IntegrationProvider::demo:
        co_return;
    }
}
