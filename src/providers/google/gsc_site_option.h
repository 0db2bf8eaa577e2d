#pragma once

#include <QString>
#include <optional>

// One Search Console site the signed-in user can choose; `siteUrl` is its identity.
struct GscSiteOption {
    // A URL-prefix property ("https://example.com/") or a domain property ("sc-domain:example.com"), as
    // given.
    QString siteUrl;
    std::optional<QString> permissionLevel;

    bool operator==(const GscSiteOption&) const = default;
};
