#pragma once

#include "model/integration_provider.h"

#include <QCoroTask>
#include <QList>
#include <QPair>
#include <QString>

class AppState;
class KeychainStore;

// Stores pasted credentials, has the engine check them and marks the integration connected. A rejected key
// never stays stored, and a failed replacement puts back what was stored before, so a typo never
// disconnects a working integration.
class CredentialConnector {
public:
    CredentialConnector(AppState& state, KeychainStore& keychain) : m_state(state), m_keychain(keychain) {}

    // Throws the check's ZingError after restoring the previous credentials.
    QCoro::Task<void> connectStripe(QString secretKey);
    QCoro::Task<void> connectDatafast(QString apiKey, QString websiteId);

    // The failure when the credential store does not keep what was saved (locked, absent).
    static QString notStoredText();

private:
    // `values` are (account, value) pairs, stored in order.
    QCoro::Task<void> connect(IntegrationProvider provider, QList<QPair<QString, QString>> values,
                              QString label);

    AppState& m_state;
    KeychainStore& m_keychain;
};
