#include "engine/reaction_store.h"
#include "support/fake_clock.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

ReactionConfig config(const char* message) {
    return ReactionConfig{QStringLiteral("x"), SoundEffect::airhorn, QString::fromUtf8(message)};
}

QStringList messages(const ReactionStore& store) {
    QStringList list;
    for (const ActiveReaction& r : store.reactions())
        list.append(r.config.message);
    return list;
}

TEST(ReactionStore, EachReactionLeavesAfterItsOwnDuration) {
    FakeClock clock;
    ReactionStore store(clock);
    QList<QStringList> announced;
    QObject::connect(&store, &ReactionStore::reactionsChanged, [&] { announced.append(messages(store)); });

    store.append(config("a"), QStringLiteral("sa"), std::nullopt, 3.0);
    clock.advanceSeconds(1);
    store.append(config("b"), QStringLiteral("sb"), std::nullopt, 1.5);
    store.append(config("c"), QStringLiteral("sc"), std::nullopt, 5.0);
    EXPECT_EQ(messages(store), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));

    clock.advanceSeconds(1.499);
    EXPECT_EQ(store.reactions().size(), 3);
    clock.advanceSeconds(0.001); // b: 1.5 s after its own creation
    EXPECT_EQ(messages(store), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    clock.advanceSeconds(0.5); // a: 3 s
    EXPECT_EQ(messages(store), QStringList{QStringLiteral("c")});
    clock.advanceSeconds(3.5); // c: 5 s after t=1
    EXPECT_TRUE(store.reactions().isEmpty());
    EXPECT_EQ(announced.size(), 6);
    EXPECT_EQ(clock.pendingTimers(), 0);
}

TEST(ReactionStore, RecordAndHookOrder) {
    FakeClock clock;
    ReactionStore store(clock);
    std::optional<ActiveReaction> seenByHook;
    qsizetype sizeDuringHook = -1;
    store.setOnWillAppend([&](const ActiveReaction& r) {
        seenByHook = r;
        sizeDuringHook = store.reactions().size();
    });
    ReactionDetails details;
    details.metricLabel = QStringLiteral("Preview");
    const ActiveReaction added = store.append(config("a"), QStringLiteral("sub"), details, 2);
    ASSERT_EQ(store.reactions().size(), 1);
    EXPECT_EQ(store.reactions().first(), added);
    EXPECT_EQ(seenByHook, added);
    EXPECT_EQ(sizeDuringHook, 0);
    EXPECT_EQ(added.config, config("a"));
    EXPECT_EQ(added.subtitle, QStringLiteral("sub"));
    EXPECT_EQ(added.details, details);
    EXPECT_EQ(added.createdAt, clock.now());
    EXPECT_FALSE(added.id.isNull());
}

TEST(ReactionStore, UnusableDurationsCountAsZero) {
    const double cases[] = {0.0, -4.0, std::nan(""), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity()};
    for (double duration : cases) {
        FakeClock clock;
        ReactionStore store(clock);
        store.append(config("a"), QString(), std::nullopt, duration);
        EXPECT_EQ(store.reactions().size(), 1) << duration;
        clock.advance(std::chrono::milliseconds(0));
        EXPECT_TRUE(store.reactions().isEmpty()) << duration;
    }
}

TEST(ReactionStore, HugeDurationDoesNotOverflow) {
    FakeClock clock;
    ReactionStore store(clock);
    store.append(config("a"), QString(), std::nullopt, 1e300);
    ASSERT_TRUE(clock.nextTimerIn());
    EXPECT_GT(clock.nextTimerIn()->count(), 0);
    clock.advance(std::chrono::hours(24));
    EXPECT_EQ(store.reactions().size(), 1);
}

TEST(ReactionStore, RemovalAfterStoreIsGoneDoesNothing) {
    FakeClock clock;
    auto store = std::make_unique<ReactionStore>(clock);
    store->append(config("a"), QString(), std::nullopt, 1);
    store.reset();
    clock.advanceSeconds(2); // would crash if the timer still ran
    SUCCEED();
}

} // namespace
