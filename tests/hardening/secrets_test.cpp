#include "event_loop_wait.h"
#include "support/local_http_server.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Response = LocalHttpServer::Response;
using namespace std::chrono_literals;

const QByteArray stripeKey = "sk_test_51HardeningSecretKey7fQ2";
const QByteArray wrongStripeKey = "sk_test_51HardeningWrongKey9xZ4";
const QByteArray datafastKey = "df_live_HardeningApiKey3kP8";

QByteArray testData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Each command of a user's session, in order: name, standard input, arguments.
struct Step {
    const char* name;
    QByteArray input;
    const char* arguments;
    int expectedExit;
};

const QList<Step>& session() {
    static const QList<Step> steps = {
        {"connect-stripe", stripeKey + "\n", "connect stripe", 0},
        {"connect-datafast", datafastKey + "\nsite-1\n", "connect datafast", 0},
        // Refused, so the working key is kept and the error printed.
        {"connect-stripe-wrong", wrongStripeKey + "\n", "connect stripe", 1},
        // The charges listing fails: errors on standard error and in the JSON document.
        {"headless-json", "", "headless --once --json --mute", 1},
        {"headless-text", "", "headless --once --mute", 1},
        {"status", "", "status", 0},
        {"status-json", "", "status --json", 0},
    };
    return steps;
}

QByteArray sessionScript() {
    QByteArray script =
        "set -u\ncd \"$1\"\n"
        "printf hardening-keyring | XDG_DATA_HOME=\"$1/keyring\" gnome-keyring-daemon --unlock "
        "--components=secrets >/dev/null 2>&1\n";
    for (const Step& step : session()) {
        const QByteArray name(step.name);
        script += "\"$ZINGBOARD_UNDER_TEST\" " + QByteArray(step.arguments) + " <out/" + name + ".in >out/" +
                  name + ".out 2>out/" + name + ".err\necho $? >out/" + name + ".rc\n";
    }
    return script;
}

// The real program through a whole session with known fake secrets: they reach the services and the keyring,
// and nowhere else.
TEST(Secrets, NeverAppearInOutputDocumentsOrAnyWrittenFile) {
    const QString executable = QStringLiteral(ZINGBOARD_EXECUTABLE);
    const QString dbusRunSession = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (!QFileInfo(executable).isExecutable() || dbusRunSession.isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon")).isEmpty())
        GTEST_SKIP() << "needs the built program, dbus-run-session and gnome-keyring-daemon";

    LocalHttpServer server;
    server.route("GET", "/v1/balance", [](const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization") == "Bearer " + stripeKey
                   ? Response::json(200, R"({"object":"balance"})")
                   : Response::json(
                         401,
                         R"({"error":{"message":"Invalid API Key provided","type":"invalid_request_error"}})");
    });
    server.route("GET", "/v1/charges", [](const LocalHttpServer::RecordedRequest&) {
        Response page = Response::text(500, "<html><body><h1>Internal Server Error</h1></body></html>");
        page.headers = {{"Content-Type", "text/html"}};
        return page;
    });
    server.route("GET", "/v1/subscriptions",
                 Response::json(200, testData("stripe/account_subscriptions.json")));
    server.route("GET", "/v1/events", Response::json(200, testData("stripe/events.json")));
    server.route("GET", "/api/v1/websites/site-1/stats", [](const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization") == "Bearer " + datafastKey
                   ? Response::json(200, testData("datafast/stats_full.json"))
                   : Response::json(401, R"({"error":"unauthorized"})");
    });

    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    // What the program may write to: everything but `out` (the test's own records) and `keyring`.
    const QStringList programFolders = {QStringLiteral("home"), QStringLiteral("config"),
                                        QStringLiteral("data"), QStringLiteral("cache"),
                                        QStringLiteral("runtime")};
    for (const QString& folder :
         programFolders + QStringList{QStringLiteral("out"), QStringLiteral("keyring")})
        ASSERT_TRUE(QDir(root.path()).mkpath(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const Step& step : session())
        writeFile(
            root.filePath(QStringLiteral("out/") + QString::fromUtf8(step.name) + QStringLiteral(".in")),
            step.input);
    writeFile(root.filePath(QStringLiteral("session.sh")), sessionScript());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : env.keys()) {
        if (name.startsWith(QLatin1String("ZINGBOARD_")) || name == QLatin1String("DBUS_SESSION_BUS_ADDRESS"))
            env.remove(name);
    }
    env.insert(QStringLiteral("ZINGBOARD_UNDER_TEST"), executable);
    env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZINGBOARD_STRIPE_API_BASE"), server.baseUrl());
    env.insert(QStringLiteral("ZINGBOARD_DATAFAST_API_BASE"), server.baseUrl());

    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(dbusRunSession, {QStringLiteral("--"), QStringLiteral("bash"),
                               root.filePath(QStringLiteral("session.sh")), root.path()});
    ASSERT_TRUE(spinUntil([&run] { return run.state() == QProcess::NotRunning; }, 180s))
        << "the session hung";

    QList<QPair<QString, QByteArray>> outputs;
    for (const Step& step : session()) {
        const QString base = root.filePath(QStringLiteral("out/") + QString::fromUtf8(step.name));
        QFile rc(base + QStringLiteral(".rc"));
        ASSERT_TRUE(rc.open(QIODevice::ReadOnly)) << step.name << " did not run";
        QFile out(base + QStringLiteral(".out"));
        QFile err(base + QStringLiteral(".err"));
        out.open(QIODevice::ReadOnly);
        err.open(QIODevice::ReadOnly);
        const QByteArray errors = err.readAll();
        EXPECT_EQ(rc.readAll().trimmed().toInt(), step.expectedExit)
            << step.name << ": " << errors.constData();
        outputs.append({QString::fromUtf8(step.name) + QStringLiteral(" stdout"), out.readAll()});
        outputs.append({QString::fromUtf8(step.name) + QStringLiteral(" stderr"), errors});
    }
    // The errors the session was built to cause did reach the user.
    EXPECT_FALSE(outputs.at(5).second.isEmpty()) << "the refused key printed nothing";
    EXPECT_FALSE(outputs.at(9).second.isEmpty()) << "the failed poll printed nothing";

    // The secrets were really loaded and used.
    QList<QByteArray> bearers;
    for (const LocalHttpServer::RecordedRequest& request : server.requests())
        bearers.append(request.header("Authorization"));
    EXPECT_TRUE(bearers.contains("Bearer " + stripeKey));
    EXPECT_TRUE(bearers.contains("Bearer " + wrongStripeKey));
    EXPECT_TRUE(bearers.contains("Bearer " + datafastKey));

    int filesChecked = 0;
    for (const QString& folder : programFolders) {
        QDirIterator it(root.filePath(folder), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
                continue;
            outputs.append({path, file.readAll()});
            ++filesChecked;
        }
    }
    EXPECT_GE(filesChecked, 2) << "the session wrote no documents";
    for (const QByteArray& secret : {stripeKey, wrongStripeKey, datafastKey}) {
        // The distinctive middle of the key, so a trimmed or re-cased copy is caught too.
        const QByteArray core = secret.mid(8, 16);
        for (const auto& [where, bytes] : outputs) {
            EXPECT_FALSE(bytes.toLower().contains(core.toLower()))
                << secret.constData() << " found in " << where.toStdString();
        }
    }
}

} // namespace
