#include "app/components/provider_logo.h"
#include "app/components/zing_artwork.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_symbols.h"
#include "image_probe.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Every symbol name the screens draw.
const QStringList screenSymbols = {
    QStringLiteral("waveform.path.ecg"),
    QStringLiteral("target"),
    QStringLiteral("bolt.fill"),
    QStringLiteral("link"),
    QStringLiteral("questionmark.circle"),
    QStringLiteral("gearshape"),
    QStringLiteral("ellipsis"),
    QStringLiteral("ellipsis.vertical"),
    QStringLiteral("plus.circle.fill"),
    QStringLiteral("pencil"),
    QStringLiteral("play.fill"),
    QStringLiteral("trash"),
    QStringLiteral("speaker.wave.2.fill"),
    QStringLiteral("speaker.wave.3.fill"),
    QStringLiteral("checkmark.circle.fill"),
    QStringLiteral("checkmark.seal.fill"),
    QStringLiteral("exclamationmark.triangle.fill"),
    QStringLiteral("exclamationmark.circle.fill"),
    QStringLiteral("theatermasks.fill"),
    QStringLiteral("lock.shield.fill"),
    QStringLiteral("arrow.up.right"),
    QStringLiteral("arrow.right"),
    QStringLiteral("chevron.up"),
    QStringLiteral("chevron.down"),
    QStringLiteral("chevron.up.chevron.down"),
    QStringLiteral("sparkles"),
    QStringLiteral("sparkle.magnifyingglass"),
    QStringLiteral("folder.badge.plus"),
    QStringLiteral("face.smiling"),
    QStringLiteral("rectangle.inset.filled.and.person.filled"),
    QStringLiteral("menubar.rectangle"),
    QStringLiteral("arrow.triangle.2.circlepath"),
    QStringLiteral("link.circle.fill"),
    QStringLiteral("play.rectangle.fill"),
    QStringLiteral("xmark"),
};

TEST(Symbols, EveryNameTheScreensUseDrawsInItsTintOnly) {
    const QColor tint = QColor::fromRgbF(0.72f, 1.0f, 0.2f);
    for (const QString& name : screenSymbols) {
        ASSERT_TRUE(ZingSymbols::has(name)) << name.toStdString();
        const QImage image = ZingSymbols::pixmap(name, tint, 24, 2.0).toImage();
        EXPECT_EQ(image.size(), QSize(48, 48)) << name.toStdString();
        int inked = 0;
        bool onlyTint = true;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 250)
                    continue;
                ++inked;
                onlyTint = onlyTint && c.rgb() == tint.rgb();
            }
        // A symbol covers a real part of its square, but is not a filled square either.
        EXPECT_GT(inked, 48 * 48 / 20) << name.toStdString();
        EXPECT_LT(inked, 48 * 48 * 3 / 4) << name.toStdString();
        EXPECT_TRUE(onlyTint) << name.toStdString();
    }
}

TEST(Symbols, AnUnknownNameDrawsNothingAndDoesNotFail) {
    const QString unknown = QStringLiteral("no.such.symbol");
    EXPECT_FALSE(ZingSymbols::has(unknown));
    const QPixmap pixmap = ZingSymbols::pixmap(unknown, Qt::white, 16);
    EXPECT_EQ(pixmap.size(), QSize(16, 16));
    EXPECT_EQ(opaquePixels(pixmap.toImage()), 0);
    QImage target(16, 16, QImage::Format_ARGB32);
    target.fill(Qt::transparent);
    QPainter painter(&target);
    ZingSymbols::paint(painter, QRectF(0, 0, 16, 16), unknown, Qt::white);
    ZingSymbols::paint(painter, QRectF(), QStringLiteral("target"), Qt::white);
    painter.end();
    EXPECT_EQ(opaquePixels(target), 0);
}

TEST(ProviderLogo, EachProviderShowsItsOwnMarkAndGoogleMarkWinsWhenAsked) {
    QStringList seen;
    for (const IntegrationProvider provider : IntegrationProviders::allCases()) {
        const QString name = ProviderLogo::imageName(provider, false);
        if (provider == IntegrationProvider::demo) {
            EXPECT_TRUE(name.isEmpty());
        } else {
            EXPECT_TRUE(ZingArtwork::has(name)) << name.toStdString();
            EXPECT_FALSE(seen.contains(name)) << name.toStdString();
            seen.append(name);
        }
        EXPECT_EQ(ProviderLogo::imageName(provider, true), QStringLiteral("GoogleLogo"));
    }
    EXPECT_TRUE(ZingArtwork::has(QStringLiteral("GoogleLogo")));
    EXPECT_TRUE(ZingArtwork::has(QStringLiteral("Logo")));
}

TEST(ProviderLogo, FillsItsSquareAndDrawsTheDemoMaskAsAColourEmojiInside) {
    for (const IntegrationProvider provider : IntegrationProviders::allCases()) {
        ProviderLogo logo(provider, 40);
        EXPECT_EQ(logo.size(), QSize(40, 40));
        const QImage image = renderedImage(logo);
        EXPECT_GT(saturatedPixels(image), 40 * 40 / 10)
            << IntegrationProviders::rawValue(provider).toStdString();
    }
    // The emoji stays inside a square too small to fit it with a margin.
    ProviderLogo small(IntegrationProvider::demo, 16);
    EXPECT_GT(saturatedPixels(renderedImage(small)), 16);
}

TEST(Fonts, EmojiWithThePresentationSelectorComeOutInColour) {
    const QStringList emoji = {QStringLiteral("☠️"), QStringLiteral("⚡️"), QStringLiteral("⭐️"),
                               QStringLiteral("❤️"), QStringLiteral("🚀")};
    for (const QFont& font : {ZingFonts::emoji(32), ZingFonts::rounded(32, QFont::Bold)}) {
        for (const QString& text : emoji) {
            QImage image(48, 48, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::red);
            painter.drawText(image.rect(), Qt::AlignCenter, text);
            painter.end();
            EXPECT_GT(pixelsUnlike(image, Qt::red), 100)
                << text.toStdString() << " in " << font.families().join(QLatin1Char(',')).toStdString();
        }
    }
}

TEST(Fonts, RoundedFontIsARealFamilyWithEmojiAfterIt) {
    const QFont font = ZingFonts::rounded(12);
    ASSERT_GE(font.families().size(), 2);
    EXPECT_NE(font.families().constFirst(), ZingFonts::emojiFamily());
    EXPECT_TRUE(font.families().contains(ZingFonts::emojiFamily()));
    EXPECT_EQ(ZingFonts::emoji(12).families().constFirst(), ZingFonts::emojiFamily());
}

} // namespace
