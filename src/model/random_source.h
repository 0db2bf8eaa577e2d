#pragma once

#include <QByteArray>
#include <QtGlobal>

// Randomness as the program sees it; tests inject a scripted source.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly drawn real in [low, high] (either bound may be reached).
    virtual double uniformReal(double low, double high) = 0;
    // A uniformly drawn integer in [low, high], both included.
    virtual qint64 uniformInt(qint64 low, qint64 high) = 0;
    // Cryptographically secure bytes (PKCE verifiers).
    virtual QByteArray secureBytes(int count) = 0;

    bool coinFlip() { return uniformInt(0, 1) == 1; }
    // Index of a random element of a non-empty collection of `size` elements.
    qsizetype index(qsizetype size) { return static_cast<qsizetype>(uniformInt(0, size - 1)); }
};
