#pragma once

#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QString>

// Colour emoji rendered once per symbol, size and pixel ratio. Drawing a cached image is much cheaper
// than shaping a colour glyph, and the rain draws hundreds of them per frame.
class EmojiImageCache {
public:
    // The symbol in the emoji font at `pixelSize`, on a transparent image whose logical size is the text's
    // line box (advance by line height), so centring the image centres the text.
    static const QImage& image(const QString& symbol, int pixelSize, qreal devicePixelRatio);
    // The line box of the symbol at `pixelSize`, in logical pixels.
    static QSizeF boxSize(const QString& symbol, int pixelSize);

private:
    static QHash<QString, QImage>& entries();
};
