#pragma once

#include <QString>

class RandomSource;

// Proof key for the authorization-code exchange (S256 method).
namespace PKCE {

// 32 secure random bytes as unpadded URL-safe Base64: 43 characters of A-Z a-z 0-9 - _.
QString generateVerifier(RandomSource& random);
// Unpadded URL-safe Base64 of the SHA-256 of the verifier's UTF-8 bytes.
QString challenge(const QString& verifier);
// The method name that goes with challenge().
QString method();

} // namespace PKCE
