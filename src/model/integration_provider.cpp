#include "model/integration_provider.h"

namespace IntegrationProviders {

const QList<IntegrationProvider>& allCases() {
    static const QList<IntegrationProvider> cases = {IntegrationProvider::stripe, IntegrationProvider::googleAnalytics,
                                                     IntegrationProvider::datafast,
                                                     IntegrationProvider::googleSearchConsole, IntegrationProvider::demo};
    return cases;
}

QString rawValue(IntegrationProvider provider) {
    switch (provider) {
    case IntegrationProvider::stripe:
        return QStringLiteral("stripe");
    case IntegrationProvider::googleAnalytics:
        return QStringLiteral("googleAnalytics");
    case IntegrationProvider::datafast:
        return QStringLiteral("datafast");
    case IntegrationProvider::googleSearchConsole:
        return QStringLiteral("googleSearchConsole");
    case IntegrationProvider::demo:
        return QStringLiteral("demo");
    }
    return {};
}

std::optional<IntegrationProvider> fromRawValue(const QString& raw) {
    for (IntegrationProvider p : allCases()) {
        if (rawValue(p) == raw)
            return p;
    }
    return std::nullopt;
}

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
