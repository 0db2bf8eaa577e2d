#pragma once

#include "model/random_source.h"

// Draws from the operating system's secure generator.
class SystemRandomSource final : public RandomSource {
public:
    double uniformReal(double low, double high) override;
    qint64 uniformInt(qint64 low, qint64 high) override;
    QByteArray secureBytes(int count) override;
};
