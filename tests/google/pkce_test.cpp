#include "google/pkce.h"
#include "model/system_random_source.h"
#include "support/qt_printers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Hands out fixed bytes, so a verifier can be checked against published values.
class FixedBytesSource final : public RandomSource {
public:
    explicit FixedBytesSource(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    double uniformReal(double low, double) override { return low; }
    qint64 uniformInt(qint64 low, qint64) override { return low; }
    QByteArray secureBytes(int count) override { return m_bytes.left(count); }

private:
    QByteArray m_bytes;
};

QByteArray rfc7636Octets() {
    const unsigned char octets[] = {116, 24,  223, 180, 151, 153, 224, 37,  79,  250, 96,
                                    125, 216, 173, 187, 186, 22,  212, 37,  77,  105, 214,
                                    191, 240, 91,  88,  5,   88,  83,  132, 141, 121};
    return QByteArray(reinterpret_cast<const char*>(octets), sizeof octets);
}

TEST(Pkce, MatchesTheStandardsExample) {
    FixedBytesSource source(rfc7636Octets());
    const QString verifier = PKCE::generateVerifier(source);
    EXPECT_EQ(verifier, QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"));
    EXPECT_EQ(PKCE::challenge(verifier), QStringLiteral("E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"));
    EXPECT_EQ(PKCE::method(), QStringLiteral("S256"));
}

// Bytes that produce "+", "/" and "=" in standard Base64 must come out URL-safe and unpadded.
TEST(Pkce, VerifierIsUrlSafeForBytesThatNeedTheSpecialCharacters) {
    FixedBytesSource highBits(QByteArray(32, char(0xFF)));
    FixedBytesSource plusAndSlash(QByteArray::fromHex("fbeffffbefbe").repeated(6).left(32));
    for (RandomSource* source :
         {static_cast<RandomSource*>(&highBits), static_cast<RandomSource*>(&plusAndSlash)}) {
        const QString verifier = PKCE::generateVerifier(*source);
        EXPECT_EQ(verifier.size(), 43);
        EXPECT_FALSE(verifier.contains(QLatin1Char('+')) || verifier.contains(QLatin1Char('/')) ||
                     verifier.contains(QLatin1Char('=')))
            << verifier.toStdString();
    }
}

TEST(Pkce, RealDrawsAreAlways43CharactersOfTheUrlSafeAlphabetAndDiffer) {
    SystemRandomSource random;
    const QRegularExpression alphabet(QStringLiteral("^[A-Za-z0-9_-]{43}$"));
    QSet<QString> seen;
    for (int i = 0; i < 500; ++i) {
        const QString verifier = PKCE::generateVerifier(random);
        ASSERT_TRUE(alphabet.match(verifier).hasMatch()) << verifier.toStdString();
        seen.insert(verifier);
        const QString challenge = PKCE::challenge(verifier);
        ASSERT_TRUE(alphabet.match(challenge).hasMatch()) << challenge.toStdString();
    }
    EXPECT_EQ(seen.size(), 500);
}

} // namespace
