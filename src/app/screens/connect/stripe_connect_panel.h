#pragma once

#include "app/screens/connect/credential_connect_panel.h"

// Stripe, connected with a secret or restricted key.
class StripeConnectPanel final : public CredentialConnectPanel {
    Q_OBJECT
public:
    StripeConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent = nullptr);
};
