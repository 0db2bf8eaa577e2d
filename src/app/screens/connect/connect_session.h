#pragma once

#include "app/credential_connector.h"
#include "model/integration_provider.h"

#include <QCoroTask>
#include <QMap>
#include <QObject>
#include <QString>
#include <optional>

class AppState;

// The connects the user started from the Connect tab. It outlives the panel (the shell owns it), so a
// check or sign-in that is still running when the panel closes finishes here, and a panel opened later
// shows its outcome. All of it runs on the GUI thread without blocking: the work is awaited.
class ConnectSession final : public QObject {
    Q_OBJECT
public:
    // The running or last key check of Stripe or Datafast.
    struct KeyConnect {
        bool busy = false;
        std::optional<QString> errorMessage;
    };

    explicit ConnectSession(AppState& state, QObject* parent = nullptr);
    ~ConnectSession() override;

    AppState& state() { return m_state; }
    const KeyConnect& keyConnect(IntegrationProvider provider) const;

    // Stores the trimmed key, has it checked and marks the source connected; a rejected key puts back what
    // was stored before. False, starting nothing, while a check of that source is still running.
    bool connectStripe(const QString& secretKey);
    bool connectDatafast(const QString& apiKey, const QString& websiteId);
    void disconnect(IntegrationProvider provider);
    // Forgets the error line of a key panel (the user cancelled replacing).
    void clearKeyError(IntegrationProvider provider);

Q_SIGNALS:
    void keyConnectChanged(IntegrationProvider provider);
    // A key check ended; on success the panel empties its fields and closes the key entry.
    void keyConnectFinished(IntegrationProvider provider, bool succeeded);

private:
    bool startKeyConnect(IntegrationProvider provider);
    QCoro::Task<void> finishKeyConnect(IntegrationProvider provider, QCoro::Task<void> work);
    void setKeyConnect(IntegrationProvider provider, const KeyConnect& value);

    AppState& m_state;
    CredentialConnector m_connector;
    QMap<IntegrationProvider, KeyConnect> m_keyConnects;
};
