#include "overlay_test_support.h"
#include "reactions/meme_reaction_overlay.h"
#include "reactions/overlay_fonts.h"
#include "reactions/shadow_renderer.h"
#include "reactions/text_block.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace overlay_test;

namespace {

TEST(TextBlock, ShrinksBeforeCuttingToTheLineLimit) {
    const TextBlock::Style headline{OverlayFonts::rounded(22, QFont::Black), Qt::AlignHCenter, 2, 0.7};
    const QString word = QStringLiteral("CELEBRATE ");
    struct Case {
        const char* name;
        QString text;
        int lines;
        bool shrunk;
        bool elided;
    };
    const QList<Case> cases = {
        {"short", QStringLiteral("KA-CHING!"), 1, false, false},
        {"two lines at full size", word.repeated(4), 2, false, false},
        {"three lines: shrinks to fit two", word.repeated(5), 2, true, false},
        {"far too long: smallest size, cut", word.repeated(30), 2, true, true},
    };
    for (const Case& c : cases) {
        const TextBlock block(c.text, headline, 344);
        EXPECT_EQ(block.lineCount(), c.lines) << c.name;
        EXPECT_EQ(block.scale() < 1.0, c.shrunk) << c.name;
        EXPECT_GE(block.scale(), 0.7 - 1e-9) << c.name;
        EXPECT_EQ(block.isElided(), c.elided) << c.name;
        EXPECT_LE(block.size().width(), 344 + 1e-6) << c.name;
    }
}

TEST(CardLayout, OnlyPresentPartsTakeSpace) {
    const QRectF window(0, 0, 1280, 800);
    const auto height = [&](const QString& subtitle, const std::optional<ReactionDetails>& details) {
        MemeReactionOverlay card(QUuid::createUuid(), QStringLiteral("x"), QStringLiteral("Yes"), subtitle,
                                 details, false, QDateTime());
        return card.cardRect(window).height();
    };
    const double bare = height(QString(), std::nullopt);
    // An empty subtitle leaves no gap; a present one adds its line and the 12-point spacing.
    EXPECT_EQ(height(QString(), details(ReactionContext::purchase)), bare);
    const double withSubtitle = height(QStringLiteral("Alex"), std::nullopt);
    EXPECT_GT(withSubtitle, bare + 12 + 10);
    EXPECT_LT(withSubtitle, bare + 12 + 25);
    // A traffic amount line is smaller than a purchase amount.
    ReactionDetails purchaseLine = details(ReactionContext::purchase);
    purchaseLine.amountLine = QStringLiteral("+12");
    ReactionDetails trafficLine = details(ReactionContext::traffic);
    trafficLine.amountLine = QStringLiteral("+12");
    EXPECT_GT(height(QString(), purchaseLine), height(QString(), trafficLine) + 10);
    // Cards are 400 points of content plus 28 on each side, and narrower only on narrow screens.
    MemeReactionOverlay card(QUuid::createUuid(), QStringLiteral("x"), QStringLiteral("Yes"), QString(),
                             std::nullopt, false, QDateTime());
    EXPECT_EQ(card.cardRect(window).width(), 456);
    EXPECT_EQ(card.cardRect(QRectF(0, 0, 360, 640)).width(), 360 - 16);
}

TEST(ShadowRenderer, SpreadsTheShapeWithoutLosingIt) {
    QImage square(100, 100, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    {
        QPainter painter(&square);
        painter.fillRect(QRect(40, 40, 20, 20), Qt::black);
    }
    const QColor tint = QColor::fromRgbF(1, 0, 0, 0.5);
    const QImage shadow = ShadowRenderer::shadow(square, 5, tint);
    double before = 0, after = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            before += qAlpha(square.pixel(x, y));
            after += qAlpha(shadow.pixel(x, y));
        }
    // Blurring moves coverage around but keeps its total (times the tint's opacity).
    EXPECT_NEAR(after, before * 0.5, before * 0.5 * 0.02);
    // Soft outside the square, weaker in the middle than the solid tint, symmetric, in the tint's colour.
    EXPECT_GT(qAlpha(shadow.pixel(35, 50)), 10);
    EXPECT_LT(qAlpha(shadow.pixel(50, 50)), 128);
    EXPECT_EQ(qAlpha(shadow.pixel(35, 50)), qAlpha(shadow.pixel(64, 50)));
    EXPECT_EQ(qAlpha(shadow.pixel(50, 35)), qAlpha(shadow.pixel(50, 64)));
    EXPECT_EQ(qAlpha(shadow.pixel(2, 2)), 0);
    const QColor middle = shadow.pixelColor(50, 50);
    EXPECT_GT(middle.red(), 250);
    EXPECT_EQ(middle.green(), 0);
}

} // namespace
