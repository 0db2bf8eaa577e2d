#pragma once

#include "app/screens/connect/google_panel_state.h"
#include "app/screens/connect/provider_connect_shell.h"

#include <optional>

class ConnectSession;
class GoogleResourcePicker;
class IntegrationHelpLink;
class QLabel;
class QPushButton;
class ShellActions;

// Google Analytics and Search Console through one sign-in: the missing-client hint, the sign-in button, or
// the two pickers with reconnect and disconnect. The sign-in and the listings run in the ConnectSession, so
// they finish when the panel is closed and a panel opened later shows their outcome.
class GoogleConnectPanel final : public ProviderConnectShell {
    Q_OBJECT
public:
    GoogleConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent = nullptr);

    GooglePanelState panelState() const;
    QWidget* noClientSection() const { return m_noClient; }
    QWidget* signedOutSection() const { return m_signedOut; }
    QWidget* signedInSection() const { return m_signedIn; }
    IntegrationHelpLink* consoleLink() const { return m_consoleLink; }
    QPushButton* connectButton() const { return m_connect; }
    QLabel* loadingLabel() const { return m_loading; }
    QLabel* expiredLabel() const { return m_expired; }
    GoogleResourcePicker* propertyPicker() const { return m_properties; }
    GoogleResourcePicker* sitePicker() const { return m_sites; }
    QPushButton* reconnectButton() const { return m_reconnect; }
    QPushButton* disconnectButton() const { return m_disconnect; }
    QLabel* errorLabel() const { return m_error; }

    // The hint shown when no client identifier is configured.
    static QString noClientText();

private:
    QWidget* makeNoClient(ShellActions& shell);
    QWidget* makeSignedOut();
    QWidget* makeSignedIn();
    void refresh();

    ConnectSession& m_session;
    std::optional<GooglePanelState::Section> m_shownSection;
    QWidget* m_noClient = nullptr;
    QWidget* m_signedOut = nullptr;
    QWidget* m_signedIn = nullptr;
    IntegrationHelpLink* m_consoleLink = nullptr;
    QPushButton* m_connect = nullptr;
    QLabel* m_loading = nullptr;
    QLabel* m_expired = nullptr;
    GoogleResourcePicker* m_properties = nullptr;
    GoogleResourcePicker* m_sites = nullptr;
    QPushButton* m_reconnect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QLabel* m_error = nullptr;
};
