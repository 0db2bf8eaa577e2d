#include "net/url_building.h"

namespace UrlBuilding {

namespace {

bool isUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

QByteArray percentEncode(const QByteArray& bytes, bool keepColon) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (isUnreserved(c) || (keepColon && c == ':')) {
            out.append(c);
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out.append('%');
            out.append(hex[byte >> 4]);
            out.append(hex[byte & 0x0F]);
        }
    }
    return out;
}

} // namespace

QString encodePathSegment(const QString& text) {
    return QString::fromLatin1(percentEncode(text.toUtf8(), true));
}

QString pathFromSegments(const QStringList& segments) {
    QString path;
    for (const QString& segment : segments) {
        path += QLatin1Char('/');
        path += encodePathSegment(segment);
    }
    return path;
}

QByteArray encodeQuery(const QList<QueryItem>& items) {
    QByteArray out;
    for (const auto& [name, value] : items) {
        if (!out.isEmpty())
            out.append('&');
        out.append(percentEncode(name.toUtf8(), false));
        out.append('=');
        out.append(percentEncode(value.toUtf8(), false));
    }
    return out;
}

QUrl buildUrl(const QString& base, const QString& encodedPath, const QList<QueryItem>& query) {
    QByteArray text = base.toUtf8() + encodedPath.toUtf8();
    if (!query.isEmpty())
        text += '?' + encodeQuery(query);
    const QUrl url = QUrl::fromEncoded(text, QUrl::StrictMode);
    // QUrl decodes %2E back to ".", so a dot segment cannot be sent safely: servers would resolve it away.
    for (const QString& segment : url.path(QUrl::FullyEncoded).split(QLatin1Char('/'))) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return {};
    }
    return url;
}

} // namespace UrlBuilding
