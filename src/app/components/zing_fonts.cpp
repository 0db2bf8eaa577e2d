#include "app/components/zing_fonts.h"

#include "reactions/overlay_fonts.h"

#include <QFontInfo>
#include <QStringList>

namespace ZingFonts {

QFont rounded(int pixelSize, QFont::Weight weight) {
    return OverlayFonts::rounded(pixelSize, weight);
}

QFont emoji(int pixelSize) {
    return OverlayFonts::emoji(pixelSize);
}

QFont withEmojiFallback(QFont font) {
    QStringList families = font.families();
    if (families.isEmpty())
        families.append(QFontInfo(font).family());
    if (!families.contains(emojiFamily()))
        families.append(emojiFamily());
    font.setFamilies(families);
    return font;
}

QString roundedFamily() {
    return OverlayFonts::rounded(12, QFont::Normal).families().constFirst();
}

QString emojiFamily() {
    return OverlayFonts::emojiFamily();
}

} // namespace ZingFonts
