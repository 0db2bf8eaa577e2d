#pragma once

#include "model/credential_store.h"
#include "model/integration_provider.h"

#include <QCoroTask>
#include <QString>
#include <QThreadPool>
#include <optional>

// Text credentials over the credential store. Every failure is silent: a failed read is "not configured".
// Each call runs on a worker thread of its own pool and is awaited, so a keyring that takes its time (a
// prompt, a locked collection, a dead service) never stalls the caller's event loop. Nothing is cached: every
// load reads the store again.
class KeychainStore {
public:
    explicit KeychainStore(CredentialStore& store);
    // Finishes the queued calls; past a short grace drops those not started (a hung store).
    ~KeychainStore();
    KeychainStore(const KeychainStore&) = delete;
    KeychainStore& operator=(const KeychainStore&) = delete;

    // Nothing when there is no item, the store fails, or the bytes are not valid UTF-8.
    QCoro::Task<std::optional<QString>> load(QString account);
    // Deletes any old item first, then adds the new one; outcomes are ignored.
    QCoro::Task<void> save(QString value, QString account);
    // Deleting a missing item is fine.
    QCoro::Task<void> remove(QString account);
    // The provider's credentials, in CredentialAccounts::accountsOf order.
    QCoro::Task<void> deleteAll(IntegrationProvider provider);

private:
    CredentialStore& m_store;
    QThreadPool m_pool;
};
