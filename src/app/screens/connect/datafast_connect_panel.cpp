#include "app/screens/connect/datafast_connect_panel.h"

#include "app/screens/connect/integration_links.h"

namespace {

CredentialConnectPanel::Texts datafastTexts() {
    CredentialConnectPanel::Texts texts;
    texts.provider = IntegrationProvider::datafast;
    texts.title = QStringLiteral("Datafast");
    texts.subtitle = QStringLiteral("Indie analytics \u2014 no Google OAuth required.");
    texts.helpTitle = QStringLiteral("Create a website API key in Datafast");
    texts.helpSteps = {QStringLiteral("Settings \u2192 API in your Datafast dashboard"),
                       QStringLiteral("Copy the key that starts with df_"),
                       QStringLiteral("Paste your website ID below")};
    texts.helpUrl = IntegrationLinks::datafastApiDocs();
    texts.keyPlaceholder = QStringLiteral("df_\u2026");
    texts.keyName = QStringLiteral("Datafast API key");
    texts.connectLabel = QStringLiteral("Connect Datafast");
    texts.asksWebsiteId = true;
    texts.connectedDetail = [](const QString& label) {
        return label.isEmpty() ? QStringLiteral("API key stored in your system keyring.")
                               : QStringLiteral("Website ") + label;
    };
    return texts;
}

} // namespace

DatafastConnectPanel::DatafastConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent)
    : CredentialConnectPanel(session, shell, datafastTexts(), parent) {
    setObjectName(QStringLiteral("datafastConnectPanel"));
}
