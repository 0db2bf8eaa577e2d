#pragma once

#include "app/screens/connect/credential_connect_panel.h"

// Datafast, connected with an API key and the website identifier.
class DatafastConnectPanel final : public CredentialConnectPanel {
    Q_OBJECT
public:
    DatafastConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent = nullptr);
};
