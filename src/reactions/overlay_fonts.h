#pragma once

#include <QFont>
#include <QString>

// Fonts of the overlay. Sizes are in logical pixels (the design's points), so the overlay looks the same
// whatever DPI the screen reports.
namespace OverlayFonts {
// A rounded family when one is installed, otherwise the default sans-serif; colour emoji as fallback.
QFont rounded(int pixelSize, QFont::Weight weight);
// Text that is mostly emoji: the colour emoji font first, so symbols such as U+26A0 that plain fonts
// also carry are drawn in colour.
QFont emoji(int pixelSize);
QString emojiFamily();
} // namespace OverlayFonts
