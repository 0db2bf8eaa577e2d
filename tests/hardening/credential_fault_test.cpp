#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/secret_service_credential_store.h"
#include "net/service_endpoints.h"
#include "providers/provider_error.h"
#include "providers/stripe/stripe_provider.h"
#include "support/fake_clock.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr auto storeLimit = 300ms;
// Far above the store's limit, far below a hang.
constexpr qint64 callBoundMs = 3000;

const char* childVariable = "ZINGBOARD_HANGING_BUS_CHILD";

// Runs only as the child of the test below, whose session bus accepts connections and never says a word.
TEST(HangingSecretService, ChildProcessBody) {
    if (!qEnvironmentVariableIsSet(childVariable))
        GTEST_SKIP() << "runs only as the child of EveryCallIsBoundedAndSilent";
    SecretServiceCredentialStore store(QStringLiteral("com.zingboard.hardening"), storeLimit);
    KeychainStore keychain(store);
    const QString account = CredentialAccounts::stripeSecretKey();

    QElapsedTimer total;
    total.start();
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer call;
        call.start();
        EXPECT_EQ(TestTasks::run(keychain.load(account)), std::nullopt);
        EXPECT_LT(call.elapsed(), callBoundMs);
        call.restart();
        TestTasks::run(keychain.save(QStringLiteral("sk_test_hanging"), account));
        EXPECT_LT(call.elapsed(), callBoundMs);
        call.restart();
        TestTasks::run(keychain.remove(account));
        EXPECT_LT(call.elapsed(), callBoundMs);
    }

    // A poll that needs the key ends as "not configured" instead of waiting on the store.
    ScriptedHttpClient http;
    FakeClock clock;
    const ServiceEndpoints endpoints;
    StripeProvider stripe(http, keychain, clock, endpoints);
    QElapsedTimer poll;
    poll.start();
    try {
        TestTasks::run(stripe.fetchMetrics(), 10s);
        ADD_FAILURE() << "a poll without a readable key succeeded";
    } catch (const ProviderError& error) {
        EXPECT_EQ(error.description(), ProviderError::notConfigured().description());
    }
    EXPECT_LT(poll.elapsed(), callBoundMs);
    EXPECT_TRUE(http.requests().isEmpty());
    EXPECT_LT(total.elapsed(), 10 * callBoundMs);
}

TEST(HangingSecretService, EveryCallIsBoundedAndSilent) {
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QLocalServer bus;
    // Connections queue up in the listen backlog and are never answered.
    ASSERT_TRUE(bus.listen(runtime.path() + QStringLiteral("/bus")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + bus.fullServerName());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QString::fromLatin1(childVariable), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=HangingSecretService.ChildProcessBody")});
    ASSERT_TRUE(child.waitForFinished(60000)) << "the child hung on the secret store";
    const QByteArray output = child.readAllStandardOutput();
    const QByteArray errors = child.readAllStandardError();
    EXPECT_EQ(child.exitCode(), 0) << output.constData() << errors.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
    // Silent: a store that does not answer is nothing to shout about.
    EXPECT_EQ(errors, QByteArray()) << errors.constData();
}

const char* lockedVariable = "ZINGBOARD_LOCKED_KEYRING_CHILD";

// Lines on standard error that come from the keyring's helpers (the prompter that cannot open a window, the
// session bus), not from us.
QList<QByteArray> ourErrorLines(const QByteArray& errors) {
    QList<QByteArray> ours;
    for (const QByteArray& line : errors.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.contains("gcr-prompter") && !trimmed.contains("dbus-daemon") &&
            !trimmed.contains("Gtk-WARNING"))
            ours.append(trimmed);
    }
    return ours;
}

// Runs only as the child of the test below, on a keyring of its own that it locks half-way.
TEST(LockedKeyring, ChildProcessBody) {
    if (!qEnvironmentVariableIsSet(lockedVariable))
        GTEST_SKIP() << "runs only as the child of CallsFailQuicklyAndQuietly";
    SecretServiceCredentialStore store(QStringLiteral("com.zingboard.hardening"), 2s);
    const QString account = CredentialAccounts::datafastApiKey();
    ASSERT_TRUE(store.save(account, "df_before_lock"));
    ASSERT_EQ(store.load(account), QByteArray("df_before_lock"));

    QProcess lock;
    lock.start(QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                QStringLiteral("--dest=org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
                QStringLiteral("org.freedesktop.Secret.Service.Lock"),
                QStringLiteral("array:objpath:/org/freedesktop/secrets/collection/login")});
    ASSERT_TRUE(lock.waitForFinished(10000));
    ASSERT_EQ(lock.exitCode(), 0) << lock.readAllStandardError().constData();

    KeychainStore keychain(store);
    QElapsedTimer call;
    call.start();
    EXPECT_EQ(TestTasks::run(keychain.load(account)), std::nullopt);
    EXPECT_LT(call.elapsed(), callBoundMs);
    call.restart();
    EXPECT_FALSE(store.save(account, "df_after_lock"));
    EXPECT_LT(call.elapsed(), callBoundMs);
    call.restart();
    TestTasks::run(keychain.save(QStringLiteral("df_after_lock"), account));
    EXPECT_LT(call.elapsed(), callBoundMs);
}

TEST(LockedKeyring, CallsFailQuicklyAndQuietly) {
    const QString dbusRunSession = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (dbusRunSession.isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("dbus-send")).isEmpty())
        GTEST_SKIP() << "needs dbus-run-session, dbus-send and gnome-keyring-daemon";
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("data"));
    QDir(root.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    env.insert(QString::fromLatin1(lockedVariable), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(
        dbusRunSession,
        {QStringLiteral("--"), QStringLiteral("bash"), QStringLiteral("-c"),
         QStringLiteral("printf hardening | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "
                        "exec \"$0\" --gtest_filter=LockedKeyring.ChildProcessBody"),
         QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(child.waitForFinished(90000)) << "the child hung on the locked keyring";
    const QByteArray output = child.readAllStandardOutput();
    const QByteArray errors = child.readAllStandardError();
    EXPECT_EQ(child.exitCode(), 0) << output.constData() << errors.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();
    EXPECT_TRUE(ourErrorLines(errors).isEmpty()) << errors.constData();
}

} // namespace
