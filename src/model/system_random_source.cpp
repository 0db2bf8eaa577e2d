#include "model/system_random_source.h"

#include <QRandomGenerator>

#include <limits>

double SystemRandomSource::uniformReal(double low, double high) {
    if (!(high > low))
        return low;
    return low + QRandomGenerator::system()->generateDouble() * (high - low);
}

qint64 SystemRandomSource::uniformInt(qint64 low, qint64 high) {
    if (high <= low)
        return low;
    const quint64 span = static_cast<quint64>(high - low);
    if (span == std::numeric_limits<quint64>::max())
        return static_cast<qint64>(QRandomGenerator::system()->generate64());
    return low + static_cast<qint64>(QRandomGenerator::system()->bounded(span + 1));
}

QByteArray SystemRandomSource::secureBytes(int count) {
    QByteArray bytes(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return bytes;
}
