#include "reactions/overlay_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace OverlayFonts {

namespace {
QString roundedFamily() {
    static const QString family = [] {
        const QStringList candidates = {
            QStringLiteral("Nunito"),    QStringLiteral("Varela Round"), QStringLiteral("M PLUS Rounded 1c"),
            QStringLiteral("Quicksand"), QStringLiteral("Comfortaa"),    QStringLiteral("Ubuntu"),
        };
        const QStringList installed = QFontDatabase::families();
        for (const QString& candidate : candidates)
            if (installed.contains(candidate, Qt::CaseInsensitive))
                return candidate;
        // The general font's family may be an alias such as "Sans Serif"; the emoji family listed after it
        // would then win for digits and spaces, which the emoji font also carries. Use the real family.
        return QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    }();
    return family;
}
} // namespace

QString emojiFamily() {
    return QStringLiteral("Noto Color Emoji");
}

QFont rounded(int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({roundedFamily(), emojiFamily()});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont emoji(int pixelSize) {
    QFont font;
    font.setFamilies({emojiFamily(), roundedFamily()});
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace OverlayFonts
