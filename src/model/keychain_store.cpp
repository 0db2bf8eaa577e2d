#include "model/keychain_store.h"

#include "model/credential_accounts.h"

#include <QStringDecoder>

KeychainStore::KeychainStore(CredentialStore& store) : m_store(store) {}

std::optional<QString> KeychainStore::load(const QString& account) {
    const auto bytes = m_store.load(account);
    if (!bytes)
        return std::nullopt;
    // Keep a leading byte-order mark as part of the text: the value is returned exactly as stored.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(*bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

void KeychainStore::save(const QString& value, const QString& account) {
    m_store.remove(account);
    m_store.save(account, value.toUtf8());
}

void KeychainStore::remove(const QString& account) {
    m_store.remove(account);
}

void KeychainStore::deleteAll(IntegrationProvider provider) {
    for (const QString& account : CredentialAccounts::accountsOf(provider))
        m_store.remove(account);
}
