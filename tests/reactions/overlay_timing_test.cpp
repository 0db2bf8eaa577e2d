#include "overlay_test_support.h"
#include "reactions/emoji_rain_overlay.h"
#include "reactions/meme_reaction_overlay.h"
#include "reactions/subtle_reaction_toast.h"
#include "support/scripted_random_source.h"

#include <gtest/gtest.h>

using namespace overlay_test;

namespace {

const QDateTime shownAt(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);

QDateTime after(double seconds) {
    return shownAt.addMSecs(qint64(seconds * 1000.0));
}

TEST(ToastEntrance, FadesAndSlidesInAfterAShortPause) {
    struct Case {
        double t;
        double opacity;
        double offset;
    };
    const QList<Case> cases = {
        {0.0, 0.0, 110},  {0.039, 0.0, 110}, {0.04, 0.0, 110}, {0.23, 0.875, 13.75},
        {0.42, 1.0, 0.0}, {5.0, 1.0, 0.0},   {-1.0, 0.0, 110},
    };
    for (const Case& c : cases) {
        const auto e = SubtleReactionToast::entrance(c.t);
        EXPECT_NEAR(e.opacity, c.opacity, 1e-9) << c.t;
        EXPECT_NEAR(e.offset, c.offset, 1e-9) << c.t;
    }
}

TEST(ToastEntrance, StillnessAndPulse) {
    const SubtleReactionToast quiet(QStringLiteral("x"), QStringLiteral("m"), QString(), std::nullopt, false,
                                    shownAt);
    EXPECT_TRUE(quiet.isAnimating(after(0.3)));
    EXPECT_FALSE(quiet.isAnimating(after(0.42)));
    EXPECT_EQ(quiet.emojiScaleAt(after(1.1)), 1.0);
    const SubtleReactionToast breathing(QStringLiteral("x"), QStringLiteral("m"), QString(), std::nullopt,
                                        true, shownAt);
    EXPECT_TRUE(breathing.isAnimating(after(60)));
    EXPECT_NEAR(breathing.emojiScaleAt(after(1.1)), 1.12, 1e-9);
    EXPECT_NEAR(breathing.emojiScaleAt(after(2.2)), 1.0, 1e-9);
}

TEST(EmojiRain, DropsDrawTheirRandomValuesInOrder) {
    ScriptedRandomSource random;
    // Drop 0 takes the three lowest ends, drop 1 the highest, the rest the middle.
    random.queueFractions({0, 0, 0, 1, 1, 1});
    random.setFallback(0.5);
    const QList<RainEmoji> drops = EmojiRainOverlay::makeDrops(random);
    ASSERT_EQ(drops.size(), 22);
    EXPECT_EQ(random.draws(), 66);
    EXPECT_EQ(drops[0], (RainEmoji{0.05, 0.0, 22, -40}));
    EXPECT_EQ(drops[1], (RainEmoji{0.95, 0.04, 44, 40}));
    EXPECT_NEAR(drops[21].delay, 0.84, 1e-12);
    EXPECT_NEAR(drops[5].x, 0.5, 1e-12);
    EXPECT_NEAR(drops[5].size, 33, 1e-12);
    EXPECT_NEAR(drops[5].drift, 0, 1e-12);
}

TEST(EmojiRain, DropPositionAndOpacityOverTime) {
    const QSizeF canvas(1000, 800);
    const RainEmoji last{0.5, 0.84, 30, 20};
    struct Case {
        const char* name;
        RainEmoji drop;
        double elapsed;
        std::optional<QPointF> centre;
        double opacity;
    };
    const QList<Case> cases = {
        // Waiting for its delay: parked 40 points above the top, at full starting opacity.
        {"before its delay", last, 0.0, QPointF(500, -40), 0.85},
        {"just before its delay", last, 0.83, QPointF(500, -40), 0.85},
        {"at its delay", last, 0.84, QPointF(500, -40), 0.85},
        // Half way: p = 1.2 s, y = 0.5 x 800 x 1.15 - 40, wobble sin(4.8).
        {"half way", last, 2.04, QPointF(500 + 20 * std::sin(4.8), 420), 0.425},
        {"first drop at start", RainEmoji{0.1, 0, 22, -40}, 0.0, QPointF(100, -40), 0.85},
        {"nearly landed", RainEmoji{0.1, 0, 22, 0}, 2.399, QPointF(100, 2.399 / 2.4 * 920 - 40),
         (1 - 2.399 / 2.4) * 0.85},
        {"landed", RainEmoji{0.1, 0, 22, 0}, 2.4, std::nullopt, 0},
        {"last drop landed", last, 3.24, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const auto frame = EmojiRainOverlay::dropFrame(c.drop, c.elapsed, canvas);
        ASSERT_EQ(frame.has_value(), c.centre.has_value()) << c.name;
        if (!frame)
            continue;
        EXPECT_NEAR(frame->centre.x(), c.centre->x(), 1e-6) << c.name;
        EXPECT_NEAR(frame->centre.y(), c.centre->y(), 1e-6) << c.name;
        EXPECT_NEAR(frame->opacity, c.opacity, 1e-9) << c.name;
    }
}

TEST(EmojiRain, EndsWhenTheLastDropHasLanded) {
    ScriptedRandomSource random;
    const EmojiRainOverlay rain(QUuid::createUuid(), QStringLiteral("x"), std::nullopt, random, shownAt);
    EXPECT_FALSE(rain.isFinished(after(3.2)));
    EXPECT_TRUE(rain.isFinished(after(3.24)));
    EXPECT_NEAR(EmojiRainOverlay::totalSeconds, 3.24, 1e-12);
}

TEST(CardEntrance, StartsSmallAndSpringsToItsFinalState) {
    const MemeReactionOverlay refund(QUuid::createUuid(), QStringLiteral("x"), QStringLiteral("m"), QString(),
                                     details(ReactionContext::refund), true, shownAt);
    using State = MemeReactionOverlay::AnimationState;
    // Before the 32 ms pause ends nothing has moved.
    EXPECT_EQ(refund.animationStateAt(shownAt), (State{0.75, 0, -20, 0, 1.0}));
    EXPECT_EQ(refund.animationStateAt(after(0.03)), (State{0.75, 0, -20, 0, 1.0}));
    // Past its peak the spring overshoots: the card is briefly larger than full size and the stamp past +6.
    const State peak = refund.animationStateAt(after(0.032 + 0.325));
    EXPECT_GT(peak.cardScale, 1.015);
    EXPECT_GT(peak.stampRotation, 6.5);
    EXPECT_EQ(peak.cardOpacity, 1.0);
    // Settled: exactly the final values; the emoji breathes between 1 and 1.08 from then on.
    const State settled = refund.animationStateAt(after(2.032));
    EXPECT_EQ(settled.cardScale, 1.0);
    EXPECT_EQ(settled.stampRotation, 6.0);
    EXPECT_EQ(settled.stampOpacity, 1.0);
    EXPECT_NEAR(refund.animationStateAt(after(0.032 + 1.1)).emojiScale, 1.08, 1e-9);
    EXPECT_NEAR(refund.animationStateAt(after(0.032 + 2.2)).emojiScale, 1.0, 1e-9);
    EXPECT_TRUE(refund.isAnimating());
}

TEST(CardEntrance, WithoutAnimationsTheCardIsFinalAtOnce) {
    for (const auto& d :
         {std::optional<ReactionDetails>(), std::optional<ReactionDetails>(purchaseDetails())}) {
        const MemeReactionOverlay card(QUuid::createUuid(), QStringLiteral("x"), QStringLiteral("m"),
                                       QString(), d, false, shownAt);
        for (double t : {0.0, 0.2, 1.1})
            EXPECT_EQ(card.animationStateAt(after(t)),
                      (MemeReactionOverlay::AnimationState{1, 1, -6, 1, 1.0}));
        EXPECT_FALSE(card.isAnimating());
    }
}

} // namespace
