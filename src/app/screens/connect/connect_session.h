#pragma once

#include "app/credential_connector.h"
#include "model/integration_provider.h"
#include "providers/google/ga4_property_option.h"
#include "providers/google/gsc_site_option.h"

#include <QCoroTask>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <optional>

class AppState;
class GoogleConnectFlow;

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

    // The Google sign-in and listings, one at a time each.
    struct GoogleConnect {
        bool authorizing = false;
        bool loading = false;
        bool sessionExpired = false;
        std::optional<QString> errorMessage;
        QList<Ga4PropertyOption> properties;
        QList<GscSiteOption> sites;
    };

    // Without `google` the Google panel reads as not configured.
    explicit ConnectSession(AppState& state, GoogleConnectFlow* google = nullptr, QObject* parent = nullptr);
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

    const GoogleConnect& google() const { return m_google; }
    bool googleConfigured() const;
    bool googleSignedIn() const;
    // The browser sign-in, then the lists. A cancelled sign-in leaves no message. False while one runs.
    // Reads whether an account is signed in again; googleChanged() follows when that changed.
    void checkGoogleSignIn();
    bool authorizeGoogle();
    // Both lists at once. False while a listing or a sign-in runs, or when not signed in.
    bool loadGoogleResources();
    // Applies a listed choice (stored id without "properties/", the integration marked connected, saved);
    // googleChanged() follows once it is stored. False, starting nothing, for a choice not listed.
    bool chooseGa4Property(const QString& id);
    bool chooseGscSite(const QString& siteUrl);
    void disconnectGoogle();

Q_SIGNALS:
    void keyConnectChanged(IntegrationProvider provider);
    // A key check ended; on success the panel empties its fields and closes the key entry.
    void keyConnectFinished(IntegrationProvider provider, bool succeeded);
    void googleChanged();

private:
    bool startKeyConnect(IntegrationProvider provider);
    QCoro::Task<void> finishKeyConnect(IntegrationProvider provider, QCoro::Task<void> work);
    void setKeyConnect(IntegrationProvider provider, const KeyConnect& value);
    QCoro::Task<void> runAuthorize();
    QCoro::Task<void> runLoad();
    QCoro::Task<void> runDisconnectGoogle();
    // Announces a stored choice once the keyring has it.
    QCoro::Task<void> finishChoice(QCoro::Task<bool> work);

    AppState& m_state;
    CredentialConnector m_connector;
    QMap<IntegrationProvider, KeyConnect> m_keyConnects;
    GoogleConnectFlow* m_flow;
    GoogleConnect m_google;
};
