#pragma once

#include "app/components/zing_card.h"
#include "model/integration_provider.h"

class QLabel;
class ZingCapsuleBadge;

// The card around one connect panel: the provider's logo (or the Google mark), title and subtitle in a row,
// a "CONNECTED" badge while connected, and the panel's own content below (add it to contentLayout()).
class ProviderConnectShell : public ZingCard {
    Q_OBJECT
public:
    ProviderConnectShell(IntegrationProvider provider, bool useGoogleMark, const QString& title,
                         const QString& subtitle, QWidget* parent = nullptr);

    void setConnected(bool connected);
    bool isConnected() const { return m_connected; }
    ZingCapsuleBadge* badge() const { return m_badge; }
    QLabel* titleLabel() const { return m_title; }

private:
    QLabel* m_title;
    ZingCapsuleBadge* m_badge;
    bool m_connected = false;
};
