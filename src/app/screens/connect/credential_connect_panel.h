#pragma once

#include "app/screens/connect/credential_panel_state.h"
#include "app/screens/connect/provider_connect_shell.h"

#include <QStringList>
#include <QUrl>
#include <functional>

class ConnectSession;
class ConnectedActions;
class IntegrationHelpLink;
class QLabel;
class QLineEdit;
class QPushButton;
class ShellActions;

// A source connected by pasting a key (Stripe, Datafast): the key entry with its help link while not
// connected or while replacing, the connected actions otherwise. The check runs in the ConnectSession, so it
// is started once however often the button is pressed, and it goes on if the panel closes.
class CredentialConnectPanel : public ProviderConnectShell {
    Q_OBJECT
public:
    struct Texts {
        IntegrationProvider provider = IntegrationProvider::stripe;
        QString title;
        QString subtitle;
        QString helpTitle;
        QStringList helpSteps;
        QUrl helpUrl;
        QString keyPlaceholder;
        // The key field's accessible name.
        QString keyName;
        QString connectLabel;
        // A second field for the website identifier (Datafast).
        bool asksWebsiteId = false;
        // The line under the connected actions, from the integration's label.
        std::function<QString(const QString& label)> connectedDetail;
    };

    CredentialConnectPanel(ConnectSession& session, ShellActions& shell, Texts texts,
                           QWidget* parent = nullptr);

    const CredentialPanelState& panelState() const { return m_panelState; }
    QLineEdit* keyField() const { return m_key; }
    // Absent unless the panel asks for a website identifier.
    QLineEdit* websiteField() const { return m_website; }
    QPushButton* submitButton() const { return m_submit; }
    QPushButton* cancelButton() const { return m_cancel; }
    QLabel* errorLabel() const { return m_error; }
    ConnectedActions* connectedActions() const { return m_actions; }
    IntegrationHelpLink* helpLink() const { return m_help; }

    // Starts the check of what is typed; nothing while one is running.
    void submit();
    void startReplacing();
    void cancelReplacing();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    void finished(IntegrationProvider provider, bool succeeded);
    void clearFields();

    ConnectSession& m_session;
    Texts m_texts;
    CredentialPanelState m_panelState;
    QWidget* m_form = nullptr;
    IntegrationHelpLink* m_help = nullptr;
    QLineEdit* m_key = nullptr;
    QLineEdit* m_website = nullptr;
    QPushButton* m_submit = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_error = nullptr;
    ConnectedActions* m_actions = nullptr;
};
