#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace IntegrationProviders {
Q_NAMESPACE

// The services that can feed metrics. Declaration order is the iteration order.
enum class IntegrationProvider { stripe, googleAnalytics, datafast, googleSearchConsole, demo };
Q_ENUM_NS(IntegrationProvider)

inline const QList<IntegrationProvider>& allCases() {
    return EnumNames::allCases<IntegrationProvider>();
}
// The raw value is the JSON form and the identity.
inline QString rawValue(IntegrationProvider provider) {
    return EnumNames::rawValue(provider);
}
inline std::optional<IntegrationProvider> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<IntegrationProvider>(raw);
}
QString displayName(IntegrationProvider provider);
// Image name of the provider's logo; empty for demo, which draws an emoji instead.
QString logoImageName(IntegrationProvider provider);
} // namespace IntegrationProviders

using IntegrationProviders::IntegrationProvider;
