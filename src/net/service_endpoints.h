#pragma once

#include <QString>
#include <functional>
#include <optional>

// The base address (scheme://host[:port], no trailing slash) of every outside service. Each can be replaced
// by an environment variable so that tests and local trials talk to servers on 127.0.0.1.
struct ServiceEndpoints {
    QString stripeApiBase = QStringLiteral("https://api.stripe.com");
    QString datafastApiBase = QStringLiteral("https://datafa.st");
    QString gaDataApiBase = QStringLiteral("https://analyticsdata.googleapis.com");
    QString gaAdminApiBase = QStringLiteral("https://analyticsadmin.googleapis.com");
    QString gscApiBase = QStringLiteral("https://www.googleapis.com");
    QString googleAccountsBase = QStringLiteral("https://accounts.google.com");
    QString googleOAuth2Base = QStringLiteral("https://oauth2.googleapis.com");

    using Lookup = std::function<std::optional<QString>(const QString& name)>;

    // The defaults, each replaced by its ZINGBOARD_*_BASE variable when that holds a valid http(s) base
    // address; an invalid value is ignored. One trailing slash is tolerated.
    static ServiceEndpoints fromEnvironment();
    static ServiceEndpoints fromEnvironment(const Lookup& lookup);

    // `value` as a base address, or nullopt when it is not http(s)://host[:port] (with at most a trailing
    // "/").
    static std::optional<QString> normalizedBase(const QString& value);

    bool operator==(const ServiceEndpoints&) const = default;
};
