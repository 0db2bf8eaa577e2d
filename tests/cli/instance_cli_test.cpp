#include "cli_sandbox.h"

#include "model/credential_accounts.h"
#include "model/persistence_manager.h"
#include "model/secret_service_credential_store.h"
#include "support/local_http_server.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QtEndian>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QStringList kDesktop = {};
const QStringList kHeadless = {QStringLiteral("headless"), QStringLiteral("--mute")};

QString socketPath(const CliSandbox& sandbox) {
    const QDir folder(sandbox.runtimeFolder() + QStringLiteral("/zingboard"));
    const QStringList sockets = folder.entryList({QStringLiteral("instance-*.socket")}, QDir::System);
    return sockets.isEmpty() ? QString() : folder.filePath(sockets.first());
}

// The running instance takes connections (a socket file alone may be a crashed one's leftover).
bool listening(const CliSandbox& sandbox) {
    const QString path = socketPath(sandbox);
    if (path.isEmpty())
        return false;
    QLocalSocket probe;
    probe.connectToServer(path);
    const bool connected = probe.waitForConnected(200);
    probe.abort();
    return connected;
}

bool running(const QProcess& process) {
    return process.state() == QProcess::Running;
}

std::optional<AppSettings> storedSettings(const CliSandbox& sandbox) {
    return PersistenceManager::settingsFromBytes(
        sandbox.document(PersistenceManager::settingsKey()).value_or(QByteArray()));
}

class InstanceCli : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_owner && running(*m_owner)) {
            m_owner->kill();
            m_owner->waitForFinished(5000);
        }
    }
    // Starts the program that will own the documents and waits until it takes connections.
    QProcess& startOwner(const QStringList& arguments) {
        m_owner = m_sandbox.start(arguments);
        const bool up = CliSandbox::waitFor([this] { return listening(m_sandbox) || !running(*m_owner); });
        EXPECT_TRUE(up && running(*m_owner)) << m_owner->readAllStandardError().toStdString();
        return *m_owner;
    }

    CliSandbox m_sandbox;
    std::unique_ptr<QProcess> m_owner;
};

TEST_F(InstanceCli, HeadlessRefusesToStartBesideARunningInstance) {
    for (const QStringList& ownerArguments : {kDesktop, kHeadless}) {
        const std::string owner = ownerArguments.join(u' ').toStdString();
        QProcess& process = startOwner(ownerArguments);
        const qint64 pid = process.processId();

        const CliSandbox::Result refused =
            m_sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"), QStringLiteral("--mute")});
        EXPECT_TRUE(refused.finished) << owner;
        EXPECT_EQ(refused.exitCode, 1) << owner;
        EXPECT_TRUE(
            refused.err.contains("Zingboard is already running (process " + QByteArray::number(pid) + ")"))
            << owner << ": " << refused.err.toStdString();
        EXPECT_TRUE(refused.out.isEmpty()) << owner;
        EXPECT_TRUE(running(process)) << owner;

        const CliSandbox::Result stopped = CliSandbox::stop(process, SIGTERM);
        EXPECT_TRUE(stopped.finished) << owner;
        EXPECT_EQ(stopped.exitCode, 0) << owner << ": " << stopped.err.toStdString();
        EXPECT_TRUE(storedSettings(m_sandbox)) << owner;
    }
}

TEST_F(InstanceCli, StatusIsAnsweredByTheRunningInstanceWithTheSameOutput) {
    const QStringList text = {QStringLiteral("status")};
    const QStringList json = {QStringLiteral("status"), QStringLiteral("--json")};
    const CliSandbox::Result directText = m_sandbox.run(text);
    const CliSandbox::Result directJson = m_sandbox.run(json);
    ASSERT_EQ(directText.exitCode, 0);

    QProcess& owner = startOwner(kHeadless);
    EXPECT_EQ(m_sandbox.run(text).out, directText.out);
    EXPECT_EQ(m_sandbox.run(json).out, directJson.out);

    // A changed file on disk shows that the answer comes from the running program's memory, not the file.
    QJsonObject settings =
        QJsonDocument::fromJson(*m_sandbox.document(PersistenceManager::settingsKey())).object();
    settings.insert(QStringLiteral("pollIntervalSeconds"), 3600);
    m_sandbox.writeDocument(PersistenceManager::settingsKey(), QJsonDocument(settings).toJson());
    const CliSandbox::Result handedOver = m_sandbox.run(text);
    EXPECT_EQ(handedOver.exitCode, 0);
    EXPECT_EQ(handedOver.out, directText.out);
    EXPECT_FALSE(handedOver.out.contains("3600"));

    EXPECT_EQ(CliSandbox::stop(owner, SIGINT).exitCode, 0);
    // Leaving saved the program's own view over the edited file, whole.
    const std::optional<AppSettings> saved = storedSettings(m_sandbox);
    ASSERT_TRUE(saved);
    EXPECT_NE(saved->pollIntervalSeconds, 3600);
    EXPECT_TRUE(m_sandbox.run(text).out.contains("Poll interval"));
}

TEST_F(InstanceCli, SecondLaunchSwitchesDemoOnInTheRunningProgram) {
    QProcess& owner = startOwner(kHeadless);
    ASSERT_FALSE(storedSettings(m_sandbox)->demoModeEnabled);

    const CliSandbox::Result second = m_sandbox.run({QStringLiteral("--demo")});
    EXPECT_TRUE(second.finished);
    // A headless owner has no panel to show, and says so.
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains("running without a window")) << second.err.toStdString();
    EXPECT_TRUE(running(owner));
    EXPECT_TRUE(storedSettings(m_sandbox)->demoModeEnabled);
    EXPECT_TRUE(m_sandbox.run({QStringLiteral("status")}).out.contains("Demo mode: on"));
    EXPECT_EQ(CliSandbox::stop(owner, SIGTERM).exitCode, 0);
}

TEST_F(InstanceCli, ALockLeftByACrashIsTakenOver) {
    QProcess& crashed = startOwner(kHeadless);
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished(10000));
    // The lock and socket files are still there, with nobody behind them.
    ASSERT_FALSE(socketPath(m_sandbox).isEmpty());
    ASSERT_FALSE(listening(m_sandbox));

    // Commands act on their own again...
    const CliSandbox::Result status = m_sandbox.run({QStringLiteral("status")});
    EXPECT_EQ(status.exitCode, 0) << status.err.toStdString();
    EXPECT_TRUE(status.err.isEmpty()) << status.err.toStdString();
    // ...and the next program becomes the owner.
    QProcess& next = startOwner(kDesktop);
    EXPECT_EQ(m_sandbox.run({QStringLiteral("headless"), QStringLiteral("--once")}).exitCode, 1);
    EXPECT_EQ(CliSandbox::stop(next, SIGTERM).exitCode, 0);
}

TEST_F(InstanceCli, AHungInstanceDoesNotHangTheCommand) {
    QProcess& owner = startOwner(kHeadless);
    ::kill(pid_t(owner.processId()), SIGSTOP);
    const CliSandbox::Result status = m_sandbox.run({QStringLiteral("status")});
    ::kill(pid_t(owner.processId()), SIGCONT);
    EXPECT_TRUE(status.finished);
    EXPECT_EQ(status.exitCode, 1);
    EXPECT_TRUE(status.err.contains("does not answer")) << status.err.toStdString();
    EXPECT_EQ(CliSandbox::stop(owner, SIGTERM).exitCode, 0);
}

TEST_F(InstanceCli, MalformedPeersAreDroppedAndTheInstanceCarriesOn) {
    QProcess& owner = startOwner(kHeadless);
    const auto frame = [](const QByteArray& payload, std::optional<quint32> length = std::nullopt) {
        QByteArray header(4, Qt::Uninitialized);
        qToBigEndian(length.value_or(quint32(payload.size())), header.data());
        return header + payload;
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } peers[] = {
        {"announces 4 GiB", frame({}, 0xFFFFFFFFu)},
        {"not JSON", frame("not json")},
        {"unknown command", frame(R"({"type":"request","version":1,"command":"quit"})")},
        {"answer without a question", frame(R"({"type":"request","version":1,"command":"status"})") +
                                          frame(R"({"type":"answer","text":"x"})")},
    };
    for (const auto& peer : peers) {
        QLocalSocket socket;
        socket.connectToServer(socketPath(m_sandbox));
        ASSERT_TRUE(socket.waitForConnected(5000)) << peer.name;
        socket.write(peer.bytes);
        socket.flush();
        // The instance hangs up on it (after at most an exit status).
        EXPECT_TRUE(CliSandbox::waitFor([&socket] {
            socket.readAll();
            return socket.state() == QLocalSocket::UnconnectedState;
        })) << peer.name;
        EXPECT_TRUE(running(owner)) << peer.name;
    }
    EXPECT_EQ(m_sandbox.run({QStringLiteral("status")}).exitCode, 0);
    EXPECT_EQ(CliSandbox::stop(owner, SIGTERM).exitCode, 0);
}

TEST(InstanceCliKeyring, ConnectStripeLandsInTheRunningProgramAndSurvivesItsNextSave) {
    if (!CliSandbox::onPrivateKeyring())
        GTEST_SKIP() << "needs the private keyring that scripts/run-tests.sh starts";
    SecretServiceCredentialStore keyring;
    keyring.remove(CredentialAccounts::stripeSecretKey());
    LocalHttpServer server;
    server.route("GET", "/v1/balance", [](const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization") == "Bearer sk_test_instance"
                   ? LocalHttpServer::Response::json(200, R"({"object":"balance"})")
                   : LocalHttpServer::Response::json(401, R"({"error":{"message":"Invalid API Key"}})");
    });
    CliSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_STRIPE_API_BASE"), server.baseUrl());
    std::unique_ptr<QProcess> owner = sandbox.start(kHeadless);
    ASSERT_TRUE(CliSandbox::waitFor([&] { return listening(sandbox) || !running(*owner); }));
    ASSERT_TRUE(running(*owner));
    const QStringList connect = {QStringLiteral("connect"), QStringLiteral("stripe")};

    // A refused key: the same message and status as without a running program.
    const CliSandbox::Result refused = sandbox.run(connect, "sk_test_wrong\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Stripe rejected that key. Check permissions and try again."))
        << refused.err.toStdString();

    const CliSandbox::Result connected = sandbox.run(connect, " sk_test_instance \n");
    EXPECT_EQ(connected.exitCode, 0) << connected.err.toStdString();
    EXPECT_EQ(connected.out, "Stripe connected.\n");
    // The running program checked it: it is the one pointed at the fake.
    EXPECT_EQ(server.requestsTo("/v1/balance").size(), 2);
    EXPECT_TRUE(sandbox.run({QStringLiteral("status")}).out.contains("Stripe connected"));

    // The program's next save (on leaving) keeps the connection it made itself.
    const CliSandbox::Result stopped = CliSandbox::stop(*owner, SIGTERM);
    EXPECT_EQ(stopped.exitCode, 0);
    EXPECT_FALSE(stopped.out.contains("sk_test") || stopped.err.contains("sk_test"));
    const auto integrations = PersistenceManager::integrationsFromBytes(
        sandbox.document(PersistenceManager::integrationsKey()).value_or(QByteArray()));
    ASSERT_TRUE(integrations);
    bool stripeConnected = false;
    for (const IntegrationConnection& connection : *integrations)
        stripeConnected |= connection.provider == IntegrationProvider::stripe && connection.isConnected;
    EXPECT_TRUE(stripeConnected);
    EXPECT_EQ(keyring.load(CredentialAccounts::stripeSecretKey()), QByteArray("sk_test_instance"));
    keyring.remove(CredentialAccounts::stripeSecretKey());
}

} // namespace
