#include "app/credential_connector.h"

#include "engine/app_state.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/zing_error.h"

#include <QList>
#include <QPair>
#include <exception>
#include <optional>

namespace {

using Stored = QList<QPair<QString, std::optional<QString>>>;

Stored remember(KeychainStore& keychain, const QList<QString>& accounts) {
    Stored stored;
    for (const QString& account : accounts)
        stored.append({account, keychain.load(account)});
    return stored;
}

void putBack(KeychainStore& keychain, const Stored& stored) {
    for (const auto& [account, value] : stored) {
        if (value)
            keychain.save(*value, account);
        else
            keychain.remove(account);
    }
}

} // namespace

QString CredentialConnector::notStoredText() {
    return QStringLiteral("Could not save the key in the system keyring. Is it unlocked?");
}

QCoro::Task<void> CredentialConnector::connect(IntegrationProvider provider,
                                               QList<QPair<QString, QString>> values, QString label) {
    QList<QString> accounts;
    for (const auto& entry : values)
        accounts.append(entry.first);
    const Stored previous = remember(m_keychain, accounts);
    std::exception_ptr failure;
    try {
        for (const auto& [account, value] : values) {
            m_keychain.save(value, account);
            // The engine checks only credentials it can read back; an unsaved key would otherwise connect
            // without any check and then fail every poll.
            if (m_keychain.load(account) != value)
                throw ZingError(notStoredText());
        }
        co_await m_state.connectProvider(provider, label);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        putBack(m_keychain, previous);
        std::rethrow_exception(failure);
    }
}

QCoro::Task<void> CredentialConnector::connectStripe(QString secretKey) {
    // Built before co_await: g++ 12 cannot take a braced list as a coroutine argument there.
    QList<QPair<QString, QString>> values;
    values.append({CredentialAccounts::stripeSecretKey(), secretKey.trimmed()});
    co_await connect(IntegrationProvider::stripe, values, QStringLiteral("Stripe connected"));
}

QCoro::Task<void> CredentialConnector::connectDatafast(QString apiKey, QString websiteId) {
    const QString site = websiteId.trimmed();
    QList<QPair<QString, QString>> values;
    values.append({CredentialAccounts::datafastApiKey(), apiKey.trimmed()});
    values.append({CredentialAccounts::datafastWebsiteId(), site});
    co_await connect(IntegrationProvider::datafast, values, site);
}
