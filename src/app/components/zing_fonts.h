#pragma once

#include <QFont>
#include <QString>

// Fonts of the screens. Sizes are in logical pixels (the design's points). The rounded design is Quicksand
// when installed (scripts/install-deps.sh installs it), else the default sans-serif; every font lists the
// colour emoji family so that emoji inside text still come out in colour.
namespace ZingFonts {
// Text in the rounded design. QFont::Black and QFont::DemiBold fall back to the nearest installed weight.
QFont rounded(int pixelSize, QFont::Weight weight = QFont::Normal);
// Text that is only emoji (a cell, a big reaction emoji): the colour emoji family comes first, so that emoji
// which plain fonts also carry (U+2620, U+26A1, U+2B50, U+2764 with U+FE0F) are not drawn as outlines.
QFont emoji(int pixelSize);
// `font` with the colour emoji family added after its own families.
QFont withEmojiFallback(QFont font);
// The rounded family actually used (a real family name, never an alias).
QString roundedFamily();
QString emojiFamily();
} // namespace ZingFonts
