#include "google/pkce.h"

#include "model/random_source.h"

#include <QCryptographicHash>

namespace PKCE {

namespace {

QString urlSafeBase64(const QByteArray& bytes) {
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

QString generateVerifier(RandomSource& random) {
    return urlSafeBase64(random.secureBytes(32));
}

QString challenge(const QString& verifier) {
    return urlSafeBase64(QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256));
}

QString method() {
    return QStringLiteral("S256");
}

} // namespace PKCE
