#include "providers/google/google_resource_parsing.h"

#include "providers/decoding_error.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLocale>
#include <algorithm>

namespace GoogleResourceParsing {

namespace {

QJsonDocument parse(const QByteArray& body) {
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw DecodingError(error.errorString());
    return document;
}

// The member as a list of objects; one element of another kind spoils the whole list.
QList<QJsonObject> objectArray(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isArray())
        return {};
    QList<QJsonObject> objects;
    for (const QJsonValue element : value.toArray()) {
        if (!element.isObject())
            return {};
        objects.append(element.toObject());
    }
    return objects;
}

std::optional<QString> textMember(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

template <typename T, typename Key> void stableLocaleSort(QList<T>& list, Key key) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(list.begin(), list.end(),
                     [&](const T& a, const T& b) { return collator.compare(key(a), key(b)) < 0; });
}

} // namespace

AccountSummariesPage parseAccountSummaries(const QByteArray& body) {
    const QJsonDocument document = parse(body);
    AccountSummariesPage page;
    if (!document.isObject())
        return page;
    const QJsonObject root = document.object();
    for (const QJsonObject& account : objectArray(root, QStringLiteral("accountSummaries"))) {
        const std::optional<QString> accountName = textMember(account, QStringLiteral("displayName"));
        for (const QJsonObject& summary : objectArray(account, QStringLiteral("propertySummaries"))) {
            const std::optional<QString> property = textMember(summary, QStringLiteral("property"));
            if (!property)
                continue;
            page.properties.append({*property,
                                    textMember(summary, QStringLiteral("displayName")).value_or(*property),
                                    accountName});
        }
    }
    // Google leaves the token out on the last page; an empty one must not restart the listing.
    const std::optional<QString> token = textMember(root, QStringLiteral("nextPageToken"));
    if (token && !token->isEmpty())
        page.nextPageToken = token;
    return page;
}

QList<GscSiteOption> parseSites(const QByteArray& body) {
    const QJsonDocument document = parse(body);
    QList<GscSiteOption> sites;
    if (!document.isObject())
        return sites;
    for (const QJsonObject& entry : objectArray(document.object(), QStringLiteral("siteEntry"))) {
        if (const std::optional<QString> url = textMember(entry, QStringLiteral("siteUrl")))
            sites.append({*url, textMember(entry, QStringLiteral("permissionLevel"))});
    }
    return sites;
}

void sortByName(QList<Ga4PropertyOption>& properties) {
    stableLocaleSort(properties, [](const Ga4PropertyOption& p) -> const QString& { return p.name; });
}

void sortBySiteUrl(QList<GscSiteOption>& sites) {
    stableLocaleSort(sites, [](const GscSiteOption& s) -> const QString& { return s.siteUrl; });
}

} // namespace GoogleResourceParsing
