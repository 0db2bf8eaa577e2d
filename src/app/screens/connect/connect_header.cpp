#include "app/screens/connect/connect_header.h"

#include "engine/app_state.h"

ConnectHeader ConnectHeader::of(const AppState& state) {
    ConnectHeader header;
    header.count = state.connectedSourceCount();
    header.stripeLit = state.integration(IntegrationProvider::stripe).isConnected;
    header.googleLit = state.isProviderActive(IntegrationProvider::googleAnalytics) ||
                       state.isProviderActive(IntegrationProvider::googleSearchConsole);
    header.datafastLit = state.integration(IntegrationProvider::datafast).isConnected;
    return header;
}

QString ConnectHeader::countText() const {
    return QString::number(count) + QStringLiteral(" of 3 connected");
}
