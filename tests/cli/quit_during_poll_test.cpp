#include "private_keyring_sandbox.h"

#include "model/file_preferences_store.h"
#include "model/persistence_manager.h"
#include "support/local_http_server.h"

#include <gtest/gtest.h>
#include <signal.h>

namespace {

// Ctrl-C while the poll waits on a source that never answers: the program ends within a second (not the
// transfer's minute), with status 0, nothing leaked (the sanitizer build fails the exit status otherwise) and
// every document readable.
TEST(QuitDuringPoll, CtrlCWhileThePollWaitsOnTheNetwork) {
    if (!PrivateKeyringSandbox::available())
        GTEST_SKIP() << "needs dbus-run-session and gnome-keyring-daemon";
    LocalHttpServer server;
    bool stalled = false;
    server.setFallback([&stalled](const LocalHttpServer::RecordedRequest&) {
        if (stalled)
            return LocalHttpServer::Response::neverAnswer();
        return LocalHttpServer::Response::json(
            200, R"({"visitors":120,"sessions":150,"revenue":99.25,"goals":4,"bounceRate":0.4})");
    });
    PrivateKeyringSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_DATAFAST_API_BASE"), server.baseUrl());
    const auto connected =
        sandbox.run({QStringLiteral("connect"), QStringLiteral("datafast")}, "df_live_1\nsite\n");
    ASSERT_EQ(connected.exitCode, 0) << connected.err.toStdString();

    stalled = true;
    const qsizetype answered = server.requests().size();
    const auto run = sandbox.runUntil(
        {QStringLiteral("headless"), QStringLiteral("--mute")},
        [&] { return server.requests().size() > answered; }, SIGINT);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_TRUE(run.exitAfterSignal);
    // The sanitizer build scans the whole heap for leaks on the way out.
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(*run.exitAfterSignal, std::chrono::seconds(5));
#else
    EXPECT_LT(*run.exitAfterSignal, std::chrono::seconds(1));
#endif

    FilePreferencesStore store(sandbox.configFolder());
    const auto bytes = [&store](const QString& key) { return store.value(key).value_or(QByteArray()); };
    EXPECT_TRUE(PersistenceManager::settingsFromBytes(bytes(PersistenceManager::settingsKey())));
    EXPECT_TRUE(PersistenceManager::goalsFromBytes(bytes(PersistenceManager::goalsKey())));
    EXPECT_TRUE(PersistenceManager::triggersFromBytes(bytes(PersistenceManager::triggersKey())));
    const auto integrations =
        PersistenceManager::integrationsFromBytes(bytes(PersistenceManager::integrationsKey()));
    ASSERT_TRUE(integrations);
    EXPECT_TRUE(std::any_of(integrations->begin(), integrations->end(), [](const IntegrationConnection& c) {
        return c.provider == IntegrationProvider::datafast && c.isConnected;
    }));
}

} // namespace
