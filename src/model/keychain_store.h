#pragma once

#include "model/credential_store.h"
#include "model/integration_provider.h"

#include <QString>
#include <optional>

// Text credentials over the credential store. Every failure is silent: a failed read is "not configured".
class KeychainStore {
public:
    explicit KeychainStore(CredentialStore& store);

    // Nothing when there is no item, the store fails, or the bytes are not valid UTF-8.
    std::optional<QString> load(const QString& account);
    // Deletes any old item first, then adds the new one; outcomes are ignored.
    void save(const QString& value, const QString& account);
    // Deleting a missing item is fine.
    void remove(const QString& account);
    // The provider's credentials, in CredentialAccounts::accountsOf order.
    void deleteAll(IntegrationProvider provider);

private:
    CredentialStore& m_store;
};
