#pragma once

#include <QString>
#include <QUrl>

// The three outside pages the connect screens link to. The hosts are build configuration (CMake cache
// variables ZINGBOARD_STRIPE_DASHBOARD_BASE, ZINGBOARD_DATAFAST_SITE_BASE,
// ZINGBOARD_GOOGLE_CLOUD_CONSOLE_BASE); the paths and the query are fixed.
namespace IntegrationLinks {
// The key-creation page with the name and the four read permissions filled in, so the user makes a read-only
// restricted key.
QUrl stripeApiKeyCreation();
QUrl datafastApiDocs();
QUrl googleCloudApiLibrary();

// The same addresses under another base (tests, and a build that points elsewhere).
QUrl stripeApiKeyCreation(const QString& base);
QUrl datafastApiDocs(const QString& base);
QUrl googleCloudApiLibrary(const QString& base);
} // namespace IntegrationLinks
