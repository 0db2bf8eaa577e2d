#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "support/memory_credential_store.h"

#include "support/run_task.h"
#include <gtest/gtest.h>

namespace {

QStringList removals(const QStringList& accounts) {
    QStringList result;
    for (const QString& a : accounts)
        result.append(QStringLiteral("remove:") + a);
    return result;
}

} // namespace

TEST(KeychainStore, SaveDeletesFirstThenAddsTheUtf8Text) {
    MemoryCredentialStore memory;
    KeychainStore keychain(memory);
    const QString key = QString::fromUtf8("sk_test_\u00e9\U0001F680");
    TestTasks::run(keychain.save(key, CredentialAccounts::stripeSecretKey()));
    EXPECT_EQ(memory.calls(), (QStringList{QStringLiteral("remove:stripeSecretKey"),
                                           QStringLiteral("save:stripeSecretKey")}));
    EXPECT_EQ(memory.items().value(QStringLiteral("stripeSecretKey")), key.toUtf8());
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::stripeSecretKey())), key);
    TestTasks::run(keychain.save(QStringLiteral("second"), CredentialAccounts::stripeSecretKey()));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::stripeSecretKey())), QStringLiteral("second"));
}

TEST(KeychainStore, LoadReadsBadBytesAndFailuresAsAbsent) {
    const struct {
        const char* name;
        QByteArray stored;
        std::optional<QString> expected;
    } cases[] = {
        {"plain", "df_abc", QStringLiteral("df_abc")},
        {"empty stays empty", "", QString()},
        {"byte-order mark kept", "\xef\xbb\xbfx", QString(QChar(0xfeff)) + QLatin1Char('x')},
        {"lone continuation byte", "abc\x80", std::nullopt},
        {"truncated sequence", "\xe2\x82", std::nullopt},
        {"overlong encoding", "\xc0\xaf", std::nullopt},
        {"encoded surrogate", "\xed\xa0\x80", std::nullopt},
    };
    for (const auto& c : cases) {
        MemoryCredentialStore memory;
        KeychainStore keychain(memory);
        memory.put(QStringLiteral("a"), c.stored);
        EXPECT_EQ(TestTasks::run(keychain.load(QStringLiteral("a"))), c.expected) << c.name;
    }
    MemoryCredentialStore memory;
    KeychainStore keychain(memory);
    memory.put(QStringLiteral("a"), "fine");
    memory.setFailing(true);
    EXPECT_FALSE(TestTasks::run(keychain.load(QStringLiteral("a"))).has_value());
    EXPECT_FALSE(TestTasks::run(keychain.load(QStringLiteral("missing"))).has_value());
}

TEST(KeychainStore, DeleteAllRemovesEachProvidersAccountsInOrder) {
    const QString ga = CredentialAccounts::ga4PropertyId(), gsc = CredentialAccounts::gscSiteUrl();
    const QStringList tokens{CredentialAccounts::googleAccessToken(),
                             CredentialAccounts::googleRefreshToken(),
                             CredentialAccounts::googleAccessTokenExpiresAt()};
    const struct {
        IntegrationProvider provider;
        QStringList accounts;
    } cases[] = {
        {IntegrationProvider::stripe, {QStringLiteral("stripeSecretKey")}},
        {IntegrationProvider::googleAnalytics, QStringList{ga} + tokens},
        {IntegrationProvider::datafast,
         {QStringLiteral("datafastApiKey"), QStringLiteral("datafastWebsiteId")}},
        {IntegrationProvider::googleSearchConsole, QStringList{gsc} + tokens},
        {IntegrationProvider::demo, {}},
    };
    for (const auto& c : cases) {
        MemoryCredentialStore memory;
        for (const QString& account : CredentialAccounts::allAccounts())
            memory.put(account, "v");
        KeychainStore keychain(memory);
        TestTasks::run(keychain.deleteAll(c.provider));
        EXPECT_EQ(memory.calls(), removals(c.accounts))
            << IntegrationProviders::rawValue(c.provider).toStdString();
        for (const QString& account : CredentialAccounts::allAccounts())
            EXPECT_EQ(memory.items().contains(account), !c.accounts.contains(account))
                << account.toStdString();
    }
}

TEST(KeychainStore, RemovingAMissingItemAndAFailingStoreAreSilent) {
    MemoryCredentialStore memory;
    KeychainStore keychain(memory);
    TestTasks::run(keychain.remove(QStringLiteral("never-saved")));
    memory.setFailing(true);
    TestTasks::run(keychain.save(QStringLiteral("x"), QStringLiteral("a")));
    TestTasks::run(keychain.deleteAll(IntegrationProvider::stripe));
    EXPECT_TRUE(memory.items().isEmpty());
}

TEST(CredentialAccounts, NamesAreTheStoredOnes) {
    EXPECT_EQ(CredentialAccounts::service(), QStringLiteral("com.zingboard.app.credentials"));
    EXPECT_EQ(
        CredentialAccounts::allAccounts(),
        (QList<QString>{QStringLiteral("stripeSecretKey"), QStringLiteral("datafastApiKey"),
                        QStringLiteral("datafastWebsiteId"), QStringLiteral("googleAccessToken"),
                        QStringLiteral("googleRefreshToken"), QStringLiteral("googleAccessTokenExpiresAt"),
                        QStringLiteral("ga4PropertyId"), QStringLiteral("gscSiteUrl")}));
}
