#include "app/reaction_feed.h"
#include "engine/reaction_store.h"
#include "support/fake_clock.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

ReactionConfig config(const char* message) {
    return ReactionConfig{QStringLiteral("E"), SoundEffect::airhorn, QString::fromUtf8(message)};
}

TEST(ReactionFeed, AnnouncesEachReactionOnceAndIgnoresRemovals) {
    FakeClock clock;
    ReactionStore store(clock);
    store.append(config("before"), QString(), std::nullopt, 10);
    ReactionFeed feed(store);
    QStringList fired;
    QObject::connect(&feed, &ReactionFeed::reactionFired,
                     [&](const ActiveReaction& reaction) { fired.append(reaction.config.message); });

    store.append(config("a"), QString(), std::nullopt, 1);
    store.append(config("b"), QString(), std::nullopt, 5);
    clock.advanceSeconds(2); // "a" goes
    store.append(config("c"), QString(), std::nullopt, 1);
    clock.advanceSeconds(20); // all go
    // Two alike reactions are still two reactions.
    store.append(config("c"), QString(), std::nullopt, 1);

    EXPECT_EQ(fired, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                  QStringLiteral("c")}));
}

} // namespace
