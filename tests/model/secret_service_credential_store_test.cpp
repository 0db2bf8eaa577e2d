// GLib's headers must come before any Qt header.
#include <libsecret/secret.h>

#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/secret_service_credential_store.h"

#include "support/run_task.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// These tests add and delete items. They run only on the private, unlocked keyring that the test runner
// starts, never on a developer's own.
bool onPrivateKeyring() {
    return qEnvironmentVariableIsSet("ZINGBOARD_TEST_SCRATCH") &&
           qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
}

const SecretSchema* attributesOnly() {
    static const SecretSchema value = [] {
        SecretSchema s{};
        s.name = "org.example.any";
        s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        s.attributes[0] = {"service", SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[1] = {"account", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return s;
    }();
    return &value;
}

// How many items the keyring holds for the service and account, unlocked or not.
int itemCount(const QString& service, const QString& account) {
    GError* error = nullptr;
    GList* items = secret_password_search_sync(attributesOnly(), SECRET_SEARCH_ALL, nullptr, &error,
                                               "service", service.toUtf8().constData(), "account",
                                               account.toUtf8().constData(), static_cast<char*>(nullptr));
    if (error) {
        ADD_FAILURE() << error->message;
        g_error_free(error);
        return -1;
    }
    const int count = int(g_list_length(items));
    g_list_free_full(items, g_object_unref);
    return count;
}

bool storeRaw(const QString& service, const QString& account, const QByteArray& bytes) {
    SecretValue* value =
        secret_value_new(bytes.constData(), gssize(bytes.size()), "application/octet-stream");
    GError* error = nullptr;
    const gboolean ok = secret_password_store_binary_sync(
        attributesOnly(), SECRET_COLLECTION_DEFAULT, "raw", value, nullptr, &error, "service",
        service.toUtf8().constData(), "account", account.toUtf8().constData(), static_cast<char*>(nullptr));
    secret_value_unref(value);
    if (error)
        g_error_free(error);
    return ok;
}

class SecretServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!onPrivateKeyring())
            GTEST_SKIP() << "needs the private keyring of scripts/run-tests.sh";
    }
    // A service of its own per test, so tests running side by side never see each other's items.
    const QString m_service = QStringLiteral("com.zingboard.app.credentials.test-") +
                              QUuid::createUuid().toString(QUuid::WithoutBraces);
    SecretServiceCredentialStore m_store{m_service};
    KeychainStore m_keychain{m_store};
};

} // namespace

TEST_F(SecretServiceTest, SaveLoadAndReplaceKeepOneItemPerAccount) {
    const QString account = CredentialAccounts::stripeSecretKey();
    EXPECT_FALSE(TestTasks::run(m_keychain.load(account)).has_value());
    TestTasks::run(m_keychain.save(QString::fromUtf8("sk_test_\u00fc\U0001F4B0"), account));
    EXPECT_EQ(TestTasks::run(m_keychain.load(account)), QString::fromUtf8("sk_test_\u00fc\U0001F4B0"));
    TestTasks::run(m_keychain.save(QStringLiteral("rk_live_2"), account));
    EXPECT_EQ(TestTasks::run(m_keychain.load(account)), QStringLiteral("rk_live_2"));
    EXPECT_EQ(itemCount(m_service, account), 1);
    // Other accounts are separate items.
    EXPECT_FALSE(TestTasks::run(m_keychain.load(CredentialAccounts::datafastApiKey())).has_value());
    TestTasks::run(m_keychain.save(QString(), CredentialAccounts::googleRefreshToken()));
    EXPECT_EQ(TestTasks::run(m_keychain.load(CredentialAccounts::googleRefreshToken())), QString());
}

TEST_F(SecretServiceTest, RemovingAMissingItemSucceedsQuietly) {
    EXPECT_TRUE(m_store.remove(QStringLiteral("never-saved")));
    EXPECT_TRUE(m_store.save(QStringLiteral("a"), "1"));
    EXPECT_TRUE(m_store.remove(QStringLiteral("a")));
    EXPECT_FALSE(m_store.load(QStringLiteral("a")).has_value());
    EXPECT_EQ(itemCount(m_service, QStringLiteral("a")), 0);
}

TEST_F(SecretServiceTest, DeleteAllRemovesExactlyTheProvidersItems) {
    const struct {
        IntegrationProvider provider;
        int remaining;
    } cases[] = {
        {IntegrationProvider::stripe, 7},   {IntegrationProvider::googleAnalytics, 4},
        {IntegrationProvider::datafast, 6}, {IntegrationProvider::googleSearchConsole, 4},
        {IntegrationProvider::demo, 8},
    };
    for (const auto& c : cases) {
        for (const QString& account : CredentialAccounts::allAccounts())
            TestTasks::run(m_keychain.save(QStringLiteral("value of ") + account, account));
        TestTasks::run(m_keychain.deleteAll(c.provider));
        const auto removed = CredentialAccounts::accountsOf(c.provider);
        int remaining = 0;
        for (const QString& account : CredentialAccounts::allAccounts()) {
            const auto loaded = TestTasks::run(m_keychain.load(account));
            EXPECT_EQ(loaded.has_value(), !removed.contains(account)) << account.toStdString();
            remaining += loaded.has_value() ? 1 : 0;
        }
        EXPECT_EQ(remaining, c.remaining) << IntegrationProviders::rawValue(c.provider).toStdString();
    }
}

TEST_F(SecretServiceTest, BytesThatAreNotUtf8ReadAsAbsent) {
    const QByteArray bad("sk_\xff\xfe", 5);
    ASSERT_TRUE(storeRaw(m_service, QStringLiteral("raw"), bad));
    EXPECT_EQ(m_store.load(QStringLiteral("raw")), bad);
    EXPECT_FALSE(TestTasks::run(m_keychain.load(QStringLiteral("raw"))).has_value());
}

TEST_F(SecretServiceTest, SecretToolSeesTheSameItems) {
    // The real service name, with an account no other test uses.
    SecretServiceCredentialStore store;
    KeychainStore keychain(store);
    const QString account = QStringLiteral("interop-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    TestTasks::run(keychain.save(QStringLiteral("sk_from_zingboard"), account));

    QProcess lookup;
    lookup.start(QStringLiteral("secret-tool"),
                 {QStringLiteral("lookup"), QStringLiteral("service"), CredentialAccounts::service(),
                  QStringLiteral("account"), account});
    ASSERT_TRUE(lookup.waitForFinished(30000));
    EXPECT_EQ(lookup.readAllStandardOutput(), QByteArray("sk_from_zingboard"));

    QProcess put;
    put.start(QStringLiteral("secret-tool"),
              {QStringLiteral("store"), QStringLiteral("--label=by hand"), QStringLiteral("service"),
               CredentialAccounts::service(), QStringLiteral("account"), account + QStringLiteral("-2")});
    ASSERT_TRUE(put.waitForStarted(30000));
    put.write("typed by hand");
    put.closeWriteChannel();
    ASSERT_TRUE(put.waitForFinished(30000));
    EXPECT_EQ(TestTasks::run(keychain.load(account + QStringLiteral("-2"))), QStringLiteral("typed by hand"));

    TestTasks::run(keychain.remove(account));
    TestTasks::run(keychain.remove(account + QStringLiteral("-2")));
    EXPECT_FALSE(TestTasks::run(keychain.load(account)).has_value());
}

// Runs only as the child process of the test below, with the session bus taken away.
TEST(SecretServiceWithoutBus, ChildProcessBody) {
    const QString account = qEnvironmentVariable("ZINGBOARD_NO_BUS_ACCOUNT");
    if (account.isEmpty())
        GTEST_SKIP() << "runs only as the child of LoadsReadAsAbsentQuickly";
    // A limit far above the bound below: an answer by time-out would show as slow.
    SecretServiceCredentialStore store(CredentialAccounts::service(), 20s);
    KeychainStore keychain(store);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(TestTasks::run(keychain.load(account)).has_value());
    TestTasks::run(keychain.save(QStringLiteral("x"), account));
    EXPECT_FALSE(TestTasks::run(keychain.load(account)).has_value());
    EXPECT_LT(timer.elapsed(), 3000);
}

TEST(SecretServiceWithoutBus, LoadsReadAsAbsentQuickly) {
    // With the keyring at hand, the item really exists, so "absent" proves the bus was out of reach.
    const QString account = QStringLiteral("nobus-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    SecretServiceCredentialStore realStore;
    KeychainStore keychain(realStore);
    if (onPrivateKeyring()) {
        TestTasks::run(keychain.save(QStringLiteral("present"), account));
        ASSERT_EQ(TestTasks::run(keychain.load(account)), QStringLiteral("present"));
    }

    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("ZINGBOARD_NO_BUS_ACCOUNT"), account);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SecretServiceWithoutBus.ChildProcessBody")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
    EXPECT_FALSE(output.contains("SKIPPED")) << output.constData();

    if (onPrivateKeyring()) {
        TestTasks::run(keychain.remove(account));
        EXPECT_FALSE(TestTasks::run(keychain.load(account)).has_value());
    }
}
