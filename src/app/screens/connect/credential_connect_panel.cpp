#include "app/screens/connect/credential_connect_panel.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_form_label.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_secure_field.h"
#include "app/components/zing_text_field.h"
#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/integration_help_link.h"
#include "app/screens/screen_label.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

CredentialConnectPanel::CredentialConnectPanel(ConnectSession& session, ShellActions& shell, Texts texts,
                                               QWidget* parent)
    : ProviderConnectShell(texts.provider, false, texts.title, texts.subtitle, parent), m_session(session),
      m_texts(std::move(texts)) {
    m_form = new QWidget(this);
    auto* form = new QVBoxLayout(m_form);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(8);
    m_help = new IntegrationHelpLink(m_texts.helpTitle, m_texts.helpSteps, m_texts.helpUrl, shell, m_form);
    form->addWidget(m_help);

    m_key = new ZingSecureField(m_texts.keyPlaceholder, m_form);
    m_key->setAccessibleName(m_texts.keyName);
    form->addWidget(m_key);
    if (m_texts.asksWebsiteId) {
        auto* label = new ZingFormLabel(QStringLiteral("Website ID"), m_form);
        m_website = new ZingTextField(QString(), m_form);
        label->setBuddy(m_website);
        m_website->setAccessibleName(QStringLiteral("Website ID"));
        form->addWidget(label);
        form->addWidget(m_website);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    m_submit = new ZingPrimaryButton(m_texts.connectLabel, m_form);
    m_cancel = new ZingSecondaryButton(QStringLiteral("Cancel"), m_form);
    buttons->addWidget(m_submit);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    form->addLayout(buttons);
    m_error = ScreenLabel::wrapping(QString(), ZingFonts::rounded(11), ZingTheme::warning(), m_form);
    m_error->setObjectName(QStringLiteral("connectError"));
    form->addWidget(m_error);
    m_form->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(m_form);

    m_actions = new ConnectedActions(
        QString(), QStringLiteral("Replace API key"), [this] { startReplacing(); },
        [this] { m_session.disconnect(m_texts.provider); }, this);
    addWidget(m_actions);

    connect(m_submit, &QPushButton::clicked, this, &CredentialConnectPanel::submit);
    connect(m_cancel, &QPushButton::clicked, this, &CredentialConnectPanel::cancelReplacing);
    connect(m_key, &QLineEdit::returnPressed, this, &CredentialConnectPanel::submit);
    if (m_website)
        connect(m_website, &QLineEdit::returnPressed, this, &CredentialConnectPanel::submit);
    connect(&m_session, &ConnectSession::keyConnectChanged, this, [this](IntegrationProvider provider) {
        if (provider == m_texts.provider)
            refresh();
    });
    connect(&m_session, &ConnectSession::keyConnectFinished, this, &CredentialConnectPanel::finished);
    connect(&m_session.state(), &AppState::integrationsChanged, this, &CredentialConnectPanel::refresh);
    refresh();
}

void CredentialConnectPanel::submit() {
    if (!m_panelState.canSubmit())
        return;
    if (m_texts.asksWebsiteId)
        m_session.connectDatafast(m_key->text(), m_website->text());
    else
        m_session.connectStripe(m_key->text());
}

void CredentialConnectPanel::startReplacing() {
    m_panelState.expanded = true;
    refresh();
    m_key->setFocus(Qt::OtherFocusReason);
}

void CredentialConnectPanel::cancelReplacing() {
    if (!m_panelState.canCancel())
        return;
    m_panelState.expanded = false;
    clearFields();
    m_session.clearKeyError(m_texts.provider);
    refresh();
    m_actions->replaceButton()->setFocus(Qt::OtherFocusReason);
}

void CredentialConnectPanel::finished(IntegrationProvider provider, bool succeeded) {
    if (provider != m_texts.provider || !succeeded)
        return;
    clearFields();
    m_panelState.expanded = false;
    refresh();
}

void CredentialConnectPanel::clearFields() {
    m_key->clear();
    if (m_website)
        m_website->clear();
}

void CredentialConnectPanel::keyPressEvent(QKeyEvent* event) {
    // Escape leaves the replacement; otherwise it goes on to the window (which closes the panel).
    if (event->key() == Qt::Key_Escape && m_panelState.canCancel()) {
        cancelReplacing();
        event->accept();
        return;
    }
    ProviderConnectShell::keyPressEvent(event);
}

void CredentialConnectPanel::refresh() {
    const IntegrationConnection connection = m_session.state().integration(m_texts.provider);
    const ConnectSession::KeyConnect& running = m_session.keyConnect(m_texts.provider);
    m_panelState.connected = connection.isConnected;
    m_panelState.busy = running.busy;
    m_panelState.errorMessage = running.errorMessage;
    if (!m_panelState.connected)
        m_panelState.expanded = false;

    setConnected(m_panelState.connected);
    m_form->setVisible(m_panelState.showsForm());
    m_actions->setVisible(!m_panelState.showsForm());
    m_actions->setDetail(m_texts.connectedDetail ? m_texts.connectedDetail(connection.label) : QString());
    m_submit->setText(m_panelState.submitLabel(m_texts.connectLabel));
    m_submit->setEnabled(m_panelState.canSubmit());
    m_cancel->setVisible(m_panelState.showsCancel());
    m_cancel->setEnabled(m_panelState.canCancel());
    m_key->setReadOnly(m_panelState.busy);
    if (m_website)
        m_website->setReadOnly(m_panelState.busy);
    const std::optional<QString> error = m_panelState.shownError();
    m_error->setText(error.value_or(QString()));
    m_error->setVisible(error.has_value());
}
