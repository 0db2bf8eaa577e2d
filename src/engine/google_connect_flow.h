#pragma once

#include "providers/google/ga4_property_option.h"
#include "providers/google/gsc_site_option.h"

#include <QCoroTask>
#include <QList>
#include <QString>
#include <optional>

class AppState;
class GoogleIntegrationService;
class GoogleOAuthManager;

// What the Google connect panel and `zingboard connect google` do: sign in, list the properties and sites,
// and apply the user's choices to the engine's records.
class GoogleConnectFlow {
public:
    struct Resources {
        QList<Ga4PropertyOption> properties;
        QList<GscSiteOption> sites;
    };

    GoogleConnectFlow(AppState& state, GoogleOAuthManager& oauth, GoogleIntegrationService& google);

    bool isConfigured() const;
    QCoro::Task<bool> isSignedIn();

    // The browser sign-in; the tokens are stored when it succeeds.
    QCoro::Task<void> signIn();
    // Both lists, fetched at the same time. Fails with the first failure.
    QCoro::Task<Resources> loadResources();

    // Stores the property as the chosen one (id without "properties/", its name as label) and marks Google
    // Analytics connected. False, changing nothing, when `id` is not one of `properties`.
    QCoro::Task<bool> chooseGa4Property(QList<Ga4PropertyOption> properties, QString id);
    // Likewise for the Search Console site.
    QCoro::Task<bool> chooseGscSite(QList<GscSiteOption> sites, QString siteUrl);

    // The listed property for "properties/123456" or the bare "123456".
    static std::optional<Ga4PropertyOption> findProperty(const QList<Ga4PropertyOption>& properties,
                                                         const QString& idOrNumber);
    // The error means the stored sign-in is no longer accepted and a reconnect is needed.
    static bool meansSessionExpired(const QString& description);

private:
    AppState& m_state;
    GoogleOAuthManager& m_oauth;
    GoogleIntegrationService& m_google;
};
