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
#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
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
        EXPECT_EQ(keychain.load(account), std::nullopt);
        EXPECT_LT(call.elapsed(), callBoundMs);
        call.restart();
        keychain.save(QStringLiteral("sk_test_hanging"), account);
        EXPECT_LT(call.elapsed(), callBoundMs);
        call.restart();
        keychain.remove(account);
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

} // namespace
