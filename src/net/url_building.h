#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

// Builds request URLs so that no stored text (an identifier, a site address, a token) can change the
// request's path or query: path segments and query items are percent-encoded here, never by hand at the call
// site.
namespace UrlBuilding {

using QueryItem = QPair<QString, QString>;

// `text` as one path segment: everything except letters, digits, "-", ".", "_", "~" and ":" is
// percent-encoded from its UTF-8 bytes ("/" becomes %2F). Dots are kept; a segment of "." or ".." makes
// buildUrl refuse the path.
QString encodePathSegment(const QString& text);

// "/" followed by the encoded segments joined by "/".
QString pathFromSegments(const QStringList& segments);

// `items` as "name=value&..." in order; names and values are fully percent-encoded (only letters, digits,
// "-",
// ".", "_" and "~" stay), so "expand[]" is sent as "expand%5B%5D" and "a+b&c" as "a%2Bb%26c". Also the body
// of an application/x-www-form-urlencoded request.
QByteArray encodeQuery(const QList<QueryItem>& items);

// `base` (scheme://host[:port]) + `encodedPath` (already encoded, e.g. from pathFromSegments) + "?" + query
// when there are items. The result is invalid (empty) when `base` is invalid or a path segment is "." or
// "..", which servers would resolve into another path; sending an invalid URL fails with TransportError.
QUrl buildUrl(const QString& base, const QString& encodedPath, const QList<QueryItem>& query = {});

} // namespace UrlBuilding
