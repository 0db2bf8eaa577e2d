#include "model/integration_provider.h"

namespace IntegrationProviders {

QString displayName(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        return QStringLiteral("Stripe");
    case IntegrationProvider::googleAnalytics:
        return QStringLiteral("Google Analytics");
    case IntegrationProvider::datafast:
        return QStringLiteral("Datafast");
    case IntegrationProvider::googleSearchConsole:
        return QStringLiteral("Google Search Console");
    case IntegrationProvider::demo:
        return QStringLiteral("Demo Mode");
    }
    return {};
}

QString logoImageName(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        return QStringLiteral("StripeLogo");
    case IntegrationProvider::googleAnalytics:
        return QStringLiteral("GoogleAnalyticsLogo");
    case IntegrationProvider::datafast:
        return QStringLiteral("DatafastLogo");
    case IntegrationProvider::googleSearchConsole:
        return QStringLiteral("GoogleSearchConsoleLogo");
    case IntegrationProvider::demo:
        return {};
    }
    return {};
}

} // namespace IntegrationProviders
