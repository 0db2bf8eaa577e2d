#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// The pixels of one window as xwd dumps them (32 bits a pixel, as on a 24-bit Xvfb screen), for tests that
// look at what is on screen without a GUI library.
struct XWindowPicture {
    int width = 0;
    int height = 0;
    // 0xRRGGBB, row by row.
    QList<quint32> pixels;

    quint32 rgb(int x, int y) const { return pixels.at(qsizetype(y) * width + x); }
    // Nothing when the dump is cut short or not 32 bits a pixel.
    static std::optional<XWindowPicture> fromXwd(const QByteArray& dump);
};
