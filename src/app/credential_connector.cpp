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

QCoro::Task<Stored> remember(KeychainStore& keychain, QList<QString> accounts) {
    Stored stored;
    for (const QString& account : accounts) {
        const std::optional<QString> value = co_await keychain.load(account);
        stored.append({account, value});
    }
    co_return stored;
}

QCoro::Task<void> putBack(KeychainStore& keychain, Stored stored) {
    for (const auto& [account, value] : stored) {
        if (value)
            co_await keychain.save(*value, account);
        else
            co_await keychain.remove(account);
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
    KeychainStore& keychain = m_keychain;
    AppState& state = m_state;
    const Stored previous = co_await remember(keychain, accounts);
    std::exception_ptr failure;
    try {
        for (const auto& [account, value] : values) {
            co_await keychain.save(value, account);
            // The engine checks only credentials it can read back; an unsaved key would otherwise connect
            // without any check and then fail every poll.
            const std::optional<QString> readBack = co_await keychain.load(account);
            if (readBack != value)
                throw ZingError(notStoredText());
        }
        co_await state.connectProvider(provider, label);
    } catch (...) {
        failure = std::current_exception();
    }
    if (failure) {
        co_await putBack(keychain, previous);
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
