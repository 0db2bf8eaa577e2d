#pragma once

#include "providers/google/ga4_property_option.h"
#include "providers/google/gsc_site_option.h"

#include <QByteArray>
#include <QList>
#include <optional>

// Readers of the property and site listings. A body that is not JSON throws DecodingError; JSON of an
// unexpected shape contributes nothing.
namespace GoogleResourceParsing {

struct AccountSummariesPage {
    QList<Ga4PropertyOption> properties;
    // Absent (and never empty) when this is the last page.
    std::optional<QString> nextPageToken;
};

AccountSummariesPage parseAccountSummaries(const QByteArray& body);
QList<GscSiteOption> parseSites(const QByteArray& body);

// Ascending, case-insensitive under the user's locale; stable, so equal names keep the API's order.
void sortByName(QList<Ga4PropertyOption>& properties);
void sortBySiteUrl(QList<GscSiteOption>& sites);

} // namespace GoogleResourceParsing
