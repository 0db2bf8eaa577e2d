#include "app/screens/editing/provider_readiness.h"

#include "engine/app_state.h"

namespace ProviderReadiness {

bool isReady(const AppState& state, IntegrationProvider provider) {
    return state.isProviderActive(provider) || state.settings().demoModeEnabled;
}

ProviderState state(const AppState& state, IntegrationProvider provider) {
    if (state.isProviderActive(provider))
        return ProviderState::ready;
    return state.settings().demoModeEnabled ? ProviderState::demo : ProviderState::notConnected;
}

QString description(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        return QString::fromUtf8("Revenue, subscriptions, trials — same metrics as Tavik.");
    case IntegrationProvider::googleAnalytics:
        return QStringLiteral("Sessions, users, and signups from Google Analytics.");
    case IntegrationProvider::datafast:
        return QString::fromUtf8("Visitors, revenue, goals — Tavik Datafast metrics.");
    case IntegrationProvider::googleSearchConsole:
        return QStringLiteral("Clicks, impressions, CTR, and position from Google Search Console.");
    case IntegrationProvider::demo:
        return QStringLiteral("Fake money, fake traffic. Perfect for testing reactions.");
    }
    return {};
}

QString connectFirstLabel(IntegrationProvider provider) {
    return QStringLiteral("Connect %1 first").arg(IntegrationProviders::displayName(provider));
}

QString notConnectedTitle(IntegrationProvider provider) {
    return QStringLiteral("%1 isn't connected").arg(IntegrationProviders::displayName(provider));
}

} // namespace ProviderReadiness
