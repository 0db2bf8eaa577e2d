#include "engine/reaction_store.h"
#include "overlay_test_support.h"
#include "reactions/floating_reaction_view.h"
#include "reactions/reaction_accent.h"
#include "reactions/zing_theme.h"
#include "support/fake_clock.h"
#include "support/scripted_random_source.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

using namespace overlay_test;

namespace {

const QSize screenSize(1280, 800);
const QString partyPopper = QString::fromUtf8("\U0001F389");

QString reviewDir() {
    const QString dir = QStringLiteral(ZINGBOARD_BINARY_DIR "/overlay-review");
    QDir().mkpath(dir);
    return dir;
}

// A store, a view on it and the settings it reads, rendered offscreen at a chosen moment.
struct Scene {
    FakeClock clock;
    ScriptedRandomSource random;
    ReactionStore store{clock};
    OverlaySettings settings;
    FloatingReactionView view{store, [this] { return settings; }, clock, random};

    Scene(NotificationStyle style, bool animations) {
        settings = {style, animations};
        random.setFallback(0.5);
    }
    void add(const QString& emoji, const QString& message, const QString& subtitle,
             const std::optional<ReactionDetails>& details) {
        store.append(config(emoji, message), subtitle, details, 60);
    }
    QImage render() {
        QImage image(screenSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        view.paintOverlay(painter, QRectF(QPointF(0, 0), screenSize));
        painter.end();
        // Straight alpha, so colours can be compared without dividing by coverage.
        return image.convertToFormat(QImage::Format_ARGB32);
    }
};

QRgb at(const QImage& image, int x, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

bool nearRgb(QRgb p, QColor colour, int tolerance) {
    return std::abs(qRed(p) - colour.red()) <= tolerance &&
           std::abs(qGreen(p) - colour.green()) <= tolerance &&
           std::abs(qBlue(p) - colour.blue()) <= tolerance;
}

// Bounding box of the opaque pixels close to `colour`.
QRect boxOf(const QImage& image, QColor colour, int tolerance, int minAlpha = 250) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = at(image, x, y);
            if (qAlpha(p) >= minAlpha && nearRgb(p, colour, tolerance))
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

int countNear(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = at(image, x, y);
            if (qAlpha(p) > 250 && nearRgb(p, colour, tolerance))
                ++count;
        }
    return count;
}

// Strongly coloured pixels whose hue is far from `avoid`: the colours of a colour emoji, which neither the
// white of a monochrome glyph nor the accent glow around it can supply.
int colourfulPixels(const QImage& image, const QRect& area, QColor avoid, int minAlpha = 200) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = at(image, x, y);
            if (qAlpha(p) < minAlpha)
                continue;
            const QColor c = QColor::fromRgba(p);
            if (c.hsvSaturationF() < 0.5 || c.valueF() < 0.35)
                continue;
            int distance = std::abs(c.hsvHue() - avoid.hsvHue());
            distance = std::min(distance, 360 - distance);
            if (distance > 40)
                ++count;
        }
    return count;
}

bool transparentIn(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(at(image, x, y)) != 0)
                return false;
    return true;
}

struct CardCase {
    QString name;
    std::optional<ReactionDetails> details;
};

QList<CardCase> cardCases() {
    QList<CardCase> cases = {{QStringLiteral("none"), std::nullopt}};
    for (ReactionContext context : ReactionContexts::allCases()) {
        ReactionDetails d = details(context);
        switch (context) {
        case ReactionContext::purchase:
            d = purchaseDetails();
            break;
        case ReactionContext::traffic:
            d = trafficDetails();
            break;
        case ReactionContext::goal:
            d = goalDetails();
            break;
        case ReactionContext::refund:
            d.amountCents = 2900;
            d.amountLine = QStringLiteral("$29.00 refunded");
            d.productLine = QStringLiteral("Zingboard Pro");
            break;
        default:
            d.metricLabel = QStringLiteral("Conversions");
            d.amountLine = QString::fromUtf8("+3 · 41");
            break;
        }
        cases.append({ReactionContexts::rawValue(context), d});
    }
    return cases;
}

TEST(OverlayRendering, CelebrationCardForEveryContext) {
    const QString dir = reviewDir();
    for (const CardCase& c : cardCases()) {
        SCOPED_TRACE(c.name.toStdString());
        Scene scene(NotificationStyle::celebration, false);
        scene.add(partyPopper, QStringLiteral("Cha-ching, baby!"),
                  QStringLiteral("Alex Chen bought the Pro plan"), c.details);
        scene.clock.advanceSeconds(1);
        const QImage image = scene.render();
        ASSERT_TRUE(image.save(dir + QStringLiteral("/card-") + c.name + QStringLiteral(".png")));

        // The card body, centred on the screen.
        const QRect card = boxOf(image, ZingTheme::cardElevated(), 3);
        ASSERT_FALSE(card.isEmpty());
        EXPECT_NEAR(card.center().x() + 0.5, 640, 1.0);
        EXPECT_NEAR(card.center().y() + 0.5, 400, 1.0);
        EXPECT_NEAR(card.width(), 456, 2);

        // The accent fills the stamp on the card's top edge.
        const QColor accent = ReactionAccent::accent(c.details);
        const QRect stampArea(card.left(), card.top() - 20, card.width(), 60);
        EXPECT_GT(countNear(image, stampArea, accent, 6), 600);

        // The big emoji is drawn in colour, not as a white outline in the accent glow.
        const QRect emojiArea(590, card.top() + 28, 100, 100);
        EXPECT_GT(colourfulPixels(image, emojiArea, accent), 300);

        // Nothing outside the card and its shadow.
        EXPECT_TRUE(transparentIn(image, QRect(0, 0, card.left() - 70, 800)));
        EXPECT_TRUE(transparentIn(image, QRect(card.right() + 70, 0, 1280 - card.right() - 70, 800)));
        EXPECT_TRUE(transparentIn(image, QRect(0, 0, 1280, card.top() - 70)));
        EXPECT_TRUE(transparentIn(image, QRect(0, card.bottom() + 90, 1280, 800 - card.bottom() - 90)));
    }
}

TEST(OverlayRendering, AmountIsFilledWithTheAccentGradient) {
    Scene scene(NotificationStyle::celebration, false);
    scene.add(partyPopper, QStringLiteral("Sale"), QString(), purchaseDetails());
    scene.clock.advanceSeconds(1);
    const QImage image = scene.render();
    const QRect card = boxOf(image, ZingTheme::cardElevated(), 3);
    // The money gradient runs from green on the left to lime on the right of "$49.00".
    const QRect body(card.left(), card.top() + 150, card.width(), card.height() - 150);
    const int green = countNear(image, body, ZingTheme::moneyGreen(), 40);
    const int lime = countNear(image, body, ZingTheme::lime(), 40);
    EXPECT_GT(green, 50);
    EXPECT_GT(lime, 50);
}

TEST(OverlayRendering, TwoCardsShareTheCentreAndTheLaterLiesOnTop) {
    Scene scene(NotificationStyle::celebration, false);
    scene.add(partyPopper, QStringLiteral("First"), QString(), details(ReactionContext::refund));
    scene.clock.advanceSeconds(1);
    scene.add(partyPopper, QStringLiteral("Second"), QString(), purchaseDetails());
    scene.clock.advanceSeconds(1);
    const QImage image = scene.render();
    image.save(reviewDir() + QStringLiteral("/cards-stacked.png"));
    const QRect card = boxOf(image, ZingTheme::cardElevated(), 3);
    EXPECT_NEAR(card.center().x() + 0.5, 640, 1.0);
    // The later purchase's green stamp covers the refund's red one.
    const QRect stampArea(card.left(), card.top() - 20, card.width(), 60);
    EXPECT_GT(countNear(image, stampArea, ZingTheme::moneyGreen(), 6), 600);
}

TEST(OverlayRendering, CelebrationWithRainForReview) {
    Scene scene(NotificationStyle::celebration, true);
    ScriptedRandomSource& random = scene.random;
    for (int i = 0; i < 22; ++i)
        random.queueFractions({(i * 7 % 22) / 21.0, (i % 5) / 4.0, (i % 3) / 2.0});
    scene.add(partyPopper, QStringLiteral("Goal smashed"), QStringLiteral("Revenue today"), goalDetails());
    scene.clock.advanceSeconds(1.2);
    const QImage image = scene.render();
    ASSERT_TRUE(image.save(reviewDir() + QStringLiteral("/card-goal-with-rain.png")));
    // The goal's rain uses the reaction's own emoji: colourful pixels well outside the card.
    // Falling drops are faded, so fainter pixels count here.
    EXPECT_GT(colourfulPixels(image, QRect(0, 0, 380, 800), ZingTheme::electricPurple(), 60) +
                  colourfulPixels(image, QRect(900, 0, 380, 800), ZingTheme::electricPurple(), 60),
              200);
}

struct ToastCase {
    QString name;
    QString subtitle;
    std::optional<ReactionDetails> details;
    bool hasDetailLine;
};

TEST(OverlayRendering, ToastsInTheTopRightCorner) {
    const QList<ToastCase> cases = {
        {QStringLiteral("purchase"), QStringLiteral("Alex Chen"), purchaseDetails(), true},
        {QStringLiteral("traffic"), QString(), trafficDetails(), true},
        {QStringLiteral("bare-message"), QString(), std::nullopt, false},
    };
    for (const ToastCase& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        Scene scene(NotificationStyle::subtle, false);
        scene.add(partyPopper, QStringLiteral("Ka-ching!"), c.subtitle, c.details);
        scene.clock.advanceSeconds(1);
        const QImage image = scene.render();
        ASSERT_TRUE(image.save(reviewDir() + QStringLiteral("/toast-") + c.name + QStringLiteral(".png")));

        // 0.94 opaque card, 36 points from the top and 20 from the right, 320 wide.
        const QRect toast = boxOf(image, ZingTheme::cardElevated(), 4, 235);
        ASSERT_FALSE(toast.isEmpty());
        EXPECT_NEAR(toast.right() + 1, 1260, 1);
        EXPECT_NEAR(toast.top(), 36, 1);
        EXPECT_NEAR(toast.width(), 320, 2);
        // The second line sits below the vertically centred title: light text pixels show there only
        // when there is a detail line.
        const int middle = toast.center().y();
        const QRect below(toast.left() + 50, middle + 12, 250, toast.bottom() - 6 - (middle + 12));
        int light = 0;
        for (int y = below.top(); y <= below.bottom(); ++y)
            for (int x = below.left(); x <= below.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                light += p.red() > 120 && p.green() > 120 && p.blue() > 120;
            }
        if (c.hasDetailLine)
            EXPECT_GT(light, 15);
        else
            EXPECT_EQ(light, 0);

        EXPECT_GT(colourfulPixels(image, QRect(toast.left() + 10, toast.top(), 40, toast.height()),
                                  ReactionAccent::accent(c.details)),
                  80);
        // The accent outline runs along the toast's left edge.
        const QColor edge = image.pixelColor(toast.left() - 1, toast.center().y());
        const QColor accent = ReactionAccent::accent(c.details);
        EXPECT_LT(std::abs(edge.hsvHue() - accent.hsvHue()), 25) << edge.name().toStdString();
        EXPECT_TRUE(transparentIn(image, QRect(0, 0, 900, 800)));
        EXPECT_TRUE(transparentIn(image, QRect(900, toast.bottom() + 40, 380, 800 - toast.bottom() - 40)));
    }
}

TEST(OverlayRendering, ThreeToastsStackInFiringOrder) {
    Scene scene(NotificationStyle::subtle, true);
    scene.add(partyPopper, QStringLiteral("One"), QString(), std::nullopt);
    scene.add(partyPopper, QStringLiteral("Two"), QStringLiteral("second line"), std::nullopt);
    scene.add(partyPopper, QStringLiteral("Three"), QString(), purchaseDetails());
    scene.clock.advanceSeconds(0.5);
    const QImage image = scene.render();
    image.save(reviewDir() + QStringLiteral("/toasts-three-with-rain.png"));
    const QList<QRectF> rects = scene.view.toastRects(QRectF(QPointF(0, 0), screenSize));
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(rects[0].top(), 36);
    for (int i = 1; i < 3; ++i) {
        EXPECT_NEAR(rects[i].top(), rects[i - 1].bottom() + 10, 1e-9);
        EXPECT_EQ(rects[i].right(), 1260);
    }
}

} // namespace
