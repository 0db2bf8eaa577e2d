#include "app/screens/connect/stripe_connect_panel.h"

#include "app/screens/connect/integration_links.h"

namespace {

CredentialConnectPanel::Texts stripeTexts() {
    CredentialConnectPanel::Texts texts;
    texts.provider = IntegrationProvider::stripe;
    texts.title = QStringLiteral("Stripe");
    texts.subtitle = QStringLiteral("Payments, subscriptions, refunds \u2014 instant triggers.");
    texts.helpTitle = QStringLiteral("Create a read-only Stripe API key");
    texts.helpSteps = {QStringLiteral("Click the link \u2014 permissions are pre-filled"),
                       QStringLiteral("Scroll down and click Create key"),
                       QStringLiteral("Don't delete the key or metrics stop updating")};
    texts.helpUrl = IntegrationLinks::stripeApiKeyCreation();
    texts.keyPlaceholder = QStringLiteral("rk_live_\u2026 or sk_live_\u2026");
    texts.keyName = QStringLiteral("Stripe API key");
    texts.connectLabel = QStringLiteral("Connect Stripe");
    texts.connectedDetail = [](const QString&) {
        return QStringLiteral("Read-only key stored in your system keyring.");
    };
    return texts;
}

} // namespace

StripeConnectPanel::StripeConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent)
    : CredentialConnectPanel(session, shell, stripeTexts(), parent) {
    setObjectName(QStringLiteral("stripeConnectPanel"));
}
