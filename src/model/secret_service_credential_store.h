#pragma once

#include "model/credential_store.h"

#include <QByteArray>
#include <QString>
#include <chrono>

// The freedesktop Secret Service through libsecret. Items carry the attributes `service` (the program's
// service name) and `account`, so `secret-tool lookup service <service> account <account>` reads them too.
// New items go to the default collection.
class SecretServiceCredentialStore final : public CredentialStore {
public:
    static constexpr std::chrono::milliseconds defaultTimeout{5000};

    SecretServiceCredentialStore();
    // Another service name keeps tests apart from the user's items and from each other.
    explicit SecretServiceCredentialStore(const QString& service,
                                          std::chrono::milliseconds timeout = defaultTimeout);

    std::optional<QByteArray> load(const QString& account) override;
    bool save(const QString& account, const QByteArray& bytes) override;
    bool remove(const QString& account) override;

private:
    QByteArray m_service;
    std::chrono::milliseconds m_timeout;
};
