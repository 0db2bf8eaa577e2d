#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/demo/demo_provider.h"
#include "support/fake_clock.h"
#include "support/fake_credential_validator.h"
#include "support/fake_google_token_revoker.h"
#include "support/fake_metric_provider.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random_source.h"

#include <gtest/gtest.h>

namespace {

// The engine with the real demo source and fakes for everything else.
class DemoSimulatorTest : public ::testing::Test {
protected:
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ScriptedRandomSource random;
    DemoProvider demo{clock, random};
    FakeMetricProvider stripe{IntegrationProvider::stripe};
    FakeMetricProvider ga{IntegrationProvider::googleAnalytics};
    FakeMetricProvider datafast{IntegrationProvider::datafast};
    FakeMetricProvider gsc{IntegrationProvider::googleSearchConsole};
    RecordingSoundPlayer sound;
    FakeCredentialValidator validator;
    FakeGoogleTokenRevoker revoker;
    AppState state{AppStateDependencies{persistence, keychain, demo, stripe, ga, datafast, gsc, clock, random,
                                        sound, validator, revoker}};
    DemoSimulator simulator{state, demo};
};

TEST_F(DemoSimulatorTest, PurchaseRaisesTheNextSnapshotAndFiresAFixedReaction) {
    clock.advanceSeconds(100);
    // Amount at the top of its range, first name.
    random.queueFractions({1, 0, 0, 0, 0});
    simulator.simulateDemoPurchase();

    EXPECT_DOUBLE_EQ(demo.revenueToday(), 42 + 149);
    EXPECT_EQ(demo.lastEventAt(), clock.now());
    // No drift in this poll, so the snapshot shows exactly the simulated amount on top.
    EXPECT_DOUBLE_EQ(demo.nextSnapshot().value(MetricKind::revenueToday), 191);

    ASSERT_EQ(state.reactionStore().reactions().size(), 1);
    const ActiveReaction& shown = state.reactionStore().reactions().first();
    EXPECT_EQ(shown.config, (ReactionConfig{QStringLiteral("\U0001F4B0"), SoundEffect::chaChing,
                                            QStringLiteral("New purchase!")}));
    EXPECT_EQ(shown.subtitle, QString::fromUtf8("Alex Chen \u00B7 alex.chen@example.com"));
    ASSERT_TRUE(shown.details.has_value());
    EXPECT_EQ(shown.details->context, ReactionContext::purchase);
    EXPECT_EQ(shown.details->amountCents, 14900);
    ASSERT_EQ(sound.played.size(), 1);
    EXPECT_EQ(sound.played.first().first, SoundEffect::chaChing);
}

TEST_F(DemoSimulatorTest, RefundKeepsRevenueAndFiresAFixedReaction) {
    clock.advanceSeconds(100);
    simulator.simulateDemoRefund();

    EXPECT_DOUBLE_EQ(demo.revenueToday(), 42);
    EXPECT_EQ(demo.lastEventAt(), clock.now());
    ASSERT_EQ(state.reactionStore().reactions().size(), 1);
    const ActiveReaction& shown = state.reactionStore().reactions().first();
    EXPECT_EQ(shown.config,
              (ReactionConfig{QStringLiteral("\U0001F595"), SoundEffect::scream, QStringLiteral("Refund!")}));
    EXPECT_EQ(shown.subtitle, QStringLiteral("Jamie Refund \u00B7 ") + DemoProvider::refundEmail());
    ASSERT_TRUE(shown.details.has_value());
    EXPECT_EQ(shown.details->context, ReactionContext::refund);
}

TEST_F(DemoSimulatorTest, EitherSimulationPushesTheNextBatchFortyFiveSecondsAway) {
    for (bool purchase : {true, false}) {
        clock.advanceSeconds(100); // the gate is open...
        purchase ? simulator.simulateDemoPurchase() : simulator.simulateDemoRefund();
        clock.advanceSeconds(45); // ...and closed again by the simulation
        EXPECT_TRUE(demo.nextEvents().isEmpty()) << purchase;
        clock.advanceSeconds(1);
        random.queueFractions({0}); // tails: a purchase
        EXPECT_FALSE(demo.nextEvents().isEmpty()) << purchase;
    }
}

} // namespace
