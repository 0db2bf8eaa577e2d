#pragma once

#include "model/integration_provider.h"

#include <QString>

class AppState;

// How a provider row of the editors' "Data source" section is marked.
enum class ProviderState { ready, demo, notConnected };

namespace ProviderReadiness {
// Connected, or any provider while the demo source is on, so rules can be prepared before connecting.
bool isReady(const AppState& state, IntegrationProvider provider);
ProviderState state(const AppState& state, IntegrationProvider provider);
// The line under the provider's name in the "Data source" rows.
QString description(IntegrationProvider provider);
// The primary button's label while the provider is not ready.
QString connectFirstLabel(IntegrationProvider provider);
// The connection warning's title.
QString notConnectedTitle(IntegrationProvider provider);
} // namespace ProviderReadiness
