#pragma once

#include <QWidget>

class ConnectSession;
class ConnectStatusDots;
class DatafastConnectPanel;
class GoogleConnectPanel;
class QLabel;
class ShellActions;
class StripeConnectPanel;

// The Connect tab: how many sources are connected, Stripe under "Revenue", the analytics sources, and where
// the credentials live.
class IntegrationsView final : public QWidget {
    Q_OBJECT
public:
    IntegrationsView(ConnectSession& session, ShellActions& shell, QWidget* parent = nullptr);

    QLabel* countLabel() const { return m_count; }
    ConnectStatusDots* statusDots() const { return m_dots; }
    StripeConnectPanel* stripePanel() const { return m_stripe; }
    GoogleConnectPanel* googlePanel() const { return m_google; }
    DatafastConnectPanel* datafastPanel() const { return m_datafast; }

private:
    QWidget* makeHeader();
    QWidget* makeDivider();
    QWidget* makeFooter();
    void refreshHeader();

    ConnectSession& m_session;
    QLabel* m_count = nullptr;
    ConnectStatusDots* m_dots = nullptr;
    StripeConnectPanel* m_stripe = nullptr;
    GoogleConnectPanel* m_google = nullptr;
    DatafastConnectPanel* m_datafast = nullptr;
};
