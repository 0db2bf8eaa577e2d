#pragma once

#include "model/integration_provider.h"

#include <QList>
#include <QString>

// The service and the account names of the credential store; fixed, other tools read them too.
namespace CredentialAccounts {
QString service();

QString stripeSecretKey();
QString datafastApiKey();
QString datafastWebsiteId();
QString googleAccessToken();
// Present when a Google account is signed in.
QString googleRefreshToken();
// ISO 8601 date-time in UTC.
QString googleAccessTokenExpiresAt();
QString ga4PropertyId();
QString gscSiteUrl();

const QList<QString>& allAccounts();
// The accounts that disconnecting the provider deletes, in deletion order. Either Google service takes the
// shared tokens with it.
QList<QString> accountsOf(IntegrationProvider provider);
} // namespace CredentialAccounts
