#include "private_keyring_sandbox.h"

#include "model/app_settings.h"
#include "model/credential_accounts.h"
#include "model/file_preferences_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"

#include <gtest/gtest.h>

namespace {

struct ReadOnlyCase {
    const char* name;
    // Documents and a Google sign-in whose records disagree, which loading the engine would tidy up.
    bool populated;
};

void PrintTo(const ReadOnlyCase& c, std::ostream* os) {
    *os << c.name;
}

class StatusReadOnly : public ::testing::TestWithParam<ReadOnlyCase> {};

TEST_P(StatusReadOnly, ReportsLeaveFolderAndKeyringByteForByteTheSame) {
    if (!PrivateKeyringSandbox::available())
        GTEST_SKIP() << "needs dbus-run-session and gnome-keyring-daemon";
    PrivateKeyringSandbox sandbox;
    // The keyring daemon makes its keyring files when first asked for an item; that is not the program's
    // doing, so another client asks first.
    ASSERT_TRUE(
        sandbox
            .runProgram(QStringLiteral("secret-tool"),
                        {QStringLiteral("lookup"), QStringLiteral("service"), CredentialAccounts::service(),
                         QStringLiteral("account"), QStringLiteral("none")})
            .finished);
    if (GetParam().populated) {
        FakeClock clock;
        FilePreferencesStore store(sandbox.configFolder());
        PersistenceManager persistence(store, clock);
        AppSettings settings = AppSettings::defaults();
        settings.googleIntegration.gaPropertyId = QStringLiteral("properties/42");
        settings.googleIntegration.gscSiteUrl = QStringLiteral("https://example.com/");
        persistence.encodeSettings(settings);
        persistence.encodeGoals(PersistenceManager::defaultGoals());
        persistence.encodeTriggers(PersistenceManager::defaultTriggers());
        persistence.encodeIntegrations(PersistenceManager::defaultIntegrations());
        const auto stored =
            sandbox.runProgram(QStringLiteral("secret-tool"),
                               {QStringLiteral("store"), QStringLiteral("--label=refresh"),
                                QStringLiteral("service"), CredentialAccounts::service(),
                                QStringLiteral("account"), CredentialAccounts::googleRefreshToken()},
                               "1//refresh-token");
        ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    }
    const QMap<QString, QByteArray> before = sandbox.files();

    for (const QStringList& arguments :
         {QStringList{QStringLiteral("status")},
          QStringList{QStringLiteral("status"), QStringLiteral("--json")},
          QStringList{QStringLiteral("--help")}, QStringList{QStringLiteral("--version")}}) {
        const auto result = sandbox.run(arguments);
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(sandbox.files(), before) << arguments.join(u' ').toStdString() << " changed a file";
        if (GetParam().populated && arguments == QStringList{QStringLiteral("status")}) {
            // The report still shows the records as the engine aligns them, only in memory.
            EXPECT_TRUE(result.out.contains("Google Analytics: connected")) << result.out.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Machines, StatusReadOnly,
                         ::testing::Values(ReadOnlyCase{"fresh", false}, ReadOnlyCase{"populated", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
