#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <ostream>

// Readable GoogleTest failure output for Qt values (instead of byte dumps). Include before the assertions.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    if (bytes.size() > 400)
        *os << "<" << bytes.size() << " bytes> \"" << bytes.left(200).toStdString() << "...\"";
    else
        *os << '"' << bytes.toStdString() << '"';
}
inline void PrintTo(const QUrl& url, std::ostream* os) {
    *os << url.toEncoded().toStdString();
}
