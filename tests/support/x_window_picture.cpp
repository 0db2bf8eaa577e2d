#include "support/x_window_picture.h"

#include <QtEndian>

namespace {

// The XWD header: big-endian 32-bit fields, by index.
enum Field {
    headerSize = 0,
    pixmapWidth = 4,
    pixmapHeight = 5,
    byteOrder = 7,
    bitsPerPixel = 11,
    bytesPerLine = 12,
    colourCount = 19,
    fieldCount = 25
};

quint32 field(const QByteArray& dump, int index) {
    return qFromBigEndian<quint32>(dump.constData() + index * 4);
}

} // namespace

std::optional<XWindowPicture> XWindowPicture::fromXwd(const QByteArray& dump) {
    if (dump.size() < fieldCount * 4 || field(dump, bitsPerPixel) != 32)
        return std::nullopt;
    XWindowPicture picture;
    picture.width = int(field(dump, pixmapWidth));
    picture.height = int(field(dump, pixmapHeight));
    const qint64 stride = field(dump, bytesPerLine);
    // Each colour-map entry takes 12 bytes between the header (with the window's name) and the pixels.
    const qint64 start = qint64(field(dump, headerSize)) + qint64(field(dump, colourCount)) * 12;
    if (picture.width <= 0 || picture.height <= 0 || stride < qint64(picture.width) * 4 ||
        start + stride * picture.height > dump.size())
        return std::nullopt;
    const bool leastFirst = field(dump, byteOrder) == 0;
    picture.pixels.reserve(qsizetype(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const char* row = dump.constData() + start + stride * y;
        for (int x = 0; x < picture.width; ++x) {
            const quint32 value =
                leastFirst ? qFromLittleEndian<quint32>(row + x * 4) : qFromBigEndian<quint32>(row + x * 4);
            picture.pixels.append(value & 0xFFFFFF);
        }
    }
    return picture;
}
