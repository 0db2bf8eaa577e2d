#pragma once

#include "model/credential_store.h"

// Reads through to another store and refuses every change (see ReadOnlyPreferencesStore).
class ReadOnlyCredentialStore final : public CredentialStore {
public:
    explicit ReadOnlyCredentialStore(CredentialStore& store) : m_store(store) {}

    std::optional<QByteArray> load(const QString& account) override { return m_store.load(account); }
    bool save(const QString&, const QByteArray&) override { return false; }
    bool remove(const QString&) override { return false; }

private:
    CredentialStore& m_store;
};
