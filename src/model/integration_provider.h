#pragma once

#include <QList>
#include <QString>
#include <optional>

// The services that can feed metrics. Declaration order is the iteration order.
enum class IntegrationProvider { stripe, googleAnalytics, datafast, googleSearchConsole, demo };

namespace IntegrationProviders {
const QList<IntegrationProvider>& allCases();
// The raw value is the JSON form and the identity.
QString rawValue(IntegrationProvider provider);
std::optional<IntegrationProvider> fromRawValue(const QString& raw);
QString displayName(IntegrationProvider provider);
// Image name of the provider's logo; empty for demo, which draws an emoji instead.
QString logoImageName(IntegrationProvider provider);
} // namespace IntegrationProviders
