#include "app/credential_connector.h"
#include "engine/app_state.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/provider_error.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/run_task.h"

#include <gtest/gtest.h>

namespace {

class CredentialConnectorTest : public ::testing::Test, protected FakeEngineParts {
protected:
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    AppState state{dependencies(persistence, keychain, clock)};
    CredentialConnector connector{state, keychain};

    std::optional<QString> stored(const QString& account) { return TestTasks::run(keychain.load(account)); }
    // Runs the connection and returns the error text, if any.
    std::optional<QString> connectStripe(const QString& key) {
        try {
            TestTasks::run(connector.connectStripe(key));
            return std::nullopt;
        } catch (const ZingError& error) {
            return error.description();
        }
    }
};

TEST_F(CredentialConnectorTest, StripeOutcomes) {
    const std::optional<QString> none;
    const struct {
        const char* name;
        std::optional<QString> previous;
        bool rejected;
        std::optional<QString> expectedKey;
        bool expectedConnected;
    } cases[] = {
        {"first key accepted", none, false, QStringLiteral("sk_new"), true},
        {"first key rejected leaves nothing", none, true, none, false},
        {"replacement accepted", QStringLiteral("sk_old"), false, QStringLiteral("sk_new"), true},
        {"replacement rejected restores the old key", QStringLiteral("sk_old"), true,
         QStringLiteral("sk_old"), false},
    };
    for (const auto& c : cases) {
        credentials.setFailing(false);
        TestTasks::run(keychain.remove(CredentialAccounts::stripeSecretKey()));
        if (c.previous)
            TestTasks::run(keychain.save(*c.previous, CredentialAccounts::stripeSecretKey()));
        validator.error = c.rejected
                              ? std::make_exception_ptr(ProviderError::apiError(QStringLiteral("nope")))
                              : std::exception_ptr();
        TestTasks::run(state.disconnectProvider(IntegrationProvider::stripe));
        if (c.previous)
            TestTasks::run(keychain.save(*c.previous, CredentialAccounts::stripeSecretKey()));

        const std::optional<QString> error = connectStripe(QStringLiteral(" \tsk_new\n"));
        EXPECT_EQ(error, c.rejected ? std::optional<QString>(QStringLiteral("nope")) : none) << c.name;
        EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), c.expectedKey) << c.name;
        EXPECT_EQ(state.integration(IntegrationProvider::stripe).isConnected, c.expectedConnected) << c.name;
        if (!c.rejected) {
            EXPECT_EQ(state.integration(IntegrationProvider::stripe).label,
                      QStringLiteral("Stripe connected"));
        }
    }
}

TEST_F(CredentialConnectorTest, AKeyTheStoreDidNotKeepIsNotConnectedUnchecked) {
    credentials.setFailing(true);
    validator.checked.clear();
    EXPECT_EQ(connectStripe(QStringLiteral("sk_live_x")), CredentialConnector::notStoredText());
    EXPECT_FALSE(state.integration(IntegrationProvider::stripe).isConnected);
    EXPECT_TRUE(validator.checked.isEmpty());
}

TEST_F(CredentialConnectorTest, DatafastStoresBothTrimmedAndRestoresBoth) {
    TestTasks::run(keychain.save(QStringLiteral("df_old"), CredentialAccounts::datafastApiKey()));
    TestTasks::run(keychain.save(QStringLiteral("old-site"), CredentialAccounts::datafastWebsiteId()));

    validator.error = std::make_exception_ptr(ProviderError::apiError(QStringLiteral("rejected")));
    EXPECT_THROW(
        TestTasks::run(connector.connectDatafast(QStringLiteral("df_new"), QStringLiteral("new-site"))),
        ProviderError);
    EXPECT_EQ(stored(CredentialAccounts::datafastApiKey()), QStringLiteral("df_old"));
    EXPECT_EQ(stored(CredentialAccounts::datafastWebsiteId()), QStringLiteral("old-site"));

    validator.error = {};
    TestTasks::run(connector.connectDatafast(QStringLiteral(" df_new "), QStringLiteral("\tnew-site\n")));
    EXPECT_EQ(stored(CredentialAccounts::datafastApiKey()), QStringLiteral("df_new"));
    EXPECT_EQ(stored(CredentialAccounts::datafastWebsiteId()), QStringLiteral("new-site"));
    EXPECT_EQ(state.integration(IntegrationProvider::datafast).label, QStringLiteral("new-site"));
    EXPECT_TRUE(state.integration(IntegrationProvider::datafast).isConnected);
}

} // namespace
