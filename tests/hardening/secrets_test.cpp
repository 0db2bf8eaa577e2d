#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/datafast_connect_panel.h"
#include "app/screens/connect/integrations_view.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/provider_error.h"
#include "support/event_loop_wait.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_shell_actions.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using Response = LocalHttpServer::Response;
using namespace std::chrono_literals;

const QByteArray stripeKey = "sk_test_51HardeningSecretKey7fQ2";
const QByteArray wrongStripeKey = "sk_test_51HardeningWrongKey9xZ4";
const QByteArray datafastKey = "df_live_HardeningApiKey3kP8";
const QByteArray googleClientSecret = "GOCSPX-HardeningClientSecret5tR1";
const QByteArray googleCode = "4/0AHardeningAuthorizationCode8sW2";
const QByteArray googleAccessToken = "ya29.a0FirstHardeningAccess6vB3";
const QByteArray googleRefreshedToken = "ya29.a0SecondHardeningAccess2nM7";
const QByteArray googleRefreshToken = "1//0gHardeningRefreshToken4qL9";

QByteArray testData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Each step of a user's session, in order: name, standard input, the program's arguments, its exit status.
struct Step {
    enum Kind {
        program,
        // The program prints the sign-in address; a browser (curl) follows it back to the loopback listener.
        programWithBrowser,
        // Not the program: the stored access-token expiry is forgotten, so the next poll must refresh.
        forgetTokenExpiry,
    };
    const char* name;
    QByteArray input;
    const char* arguments;
    int expectedExit;
    Kind kind = program;
};

const QList<Step>& session() {
    static const QList<Step> steps = {
        {"connect-stripe", stripeKey + "\n", "connect stripe", 0},
        {"connect-datafast", datafastKey + "\nsite-1\n", "connect datafast", 0},
        // Refused, so the working key is kept and the error printed.
        {"connect-stripe-wrong", wrongStripeKey + "\n", "connect stripe", 1},
        {"connect-google", "",
         "connect google --no-browser --ga-property 123456 --gsc-site sc-domain:acme.example", 0,
         Step::programWithBrowser},
        {"forget-token-expiry", "", "", 0, Step::forgetTokenExpiry},
        // The charges listing fails, and so does the first token refresh (Google Analytics); the second
        // (Search Console) succeeds: errors on standard error and in the JSON document.
        {"headless-json", "", "headless --once --json --mute", 1},
        {"headless-text", "", "headless --once --mute", 1},
        {"status", "", "status", 0},
        {"status-json", "", "status --json", 0},
        {"disconnect-google", "", "disconnect google", 0},
    };
    return steps;
}

QByteArray sessionScript() {
    QByteArray script =
        "set -u\ncd \"$1\"\n"
        "printf hardening-keyring | XDG_DATA_HOME=\"$1/keyring\" gnome-keyring-daemon --unlock "
        "--components=secrets >/dev/null 2>&1\n";
    for (const Step& step : session()) {
        const QByteArray files = "out/" + QByteArray(step.name);
        const QByteArray redirections = " <" + files + ".in >" + files + ".out 2>" + files + ".err";
        const QByteArray program = "\"$ZINGBOARD_UNDER_TEST\" " + QByteArray(step.arguments) + redirections;
        switch (step.kind) {
        case Step::program:
            script += program + "\necho $? >" + files + ".rc\n";
            break;
        case Step::programWithBrowser:
            script += program +
                      " &\npid=$!\nurl=\nfor i in $(seq 1 300); do\n"
                      "  url=$(grep -m1 -o 'http://127\\.0\\.0\\.1:[0-9]*/o/oauth2/v2/auth?[^[:space:]]*' " +
                      files +
                      ".out) && break\n  sleep 0.1\ndone\n"
                      "[ -n \"$url\" ] && curl -sS -L --max-time 30 -o " +
                      files + ".page \"$url\"\nwait $pid\necho $? >" + files + ".rc\n";
            break;
        case Step::forgetTokenExpiry:
            script += "secret-tool clear service com.zingboard.app.credentials account "
                      "googleAccessTokenExpiresAt" +
                      redirections + "\necho $? >" + files + ".rc\n";
            break;
        }
    }
    return script;
}

// Google's sign-in, token, listing and report endpoints, answering only for the tokens they handed out. The
// first refresh is refused.
void routeGoogle(LocalHttpServer& server, int& refreshes) {
    using Request = LocalHttpServer::RecordedRequest;
    server.route("GET", "/o/oauth2/v2/auth", [](const Request& request) {
        const QUrlQuery query(QString::fromUtf8(request.rawQuery));
        const QString redirect = query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
        return Response::redirect(
            302, redirect.toUtf8() + "?code=" + QUrl::toPercentEncoding(QString::fromUtf8(googleCode)) +
                     "&scope=analytics&state=" + query.queryItemValue(QStringLiteral("state")).toUtf8());
    });
    server.route("POST", "/token", [&refreshes](const Request& request) {
        QHash<QString, QString> form;
        for (const auto& [key, value] : request.formItems())
            form.insert(key, value);
        if (form.value(QStringLiteral("client_secret")).toUtf8() != googleClientSecret)
            return Response::json(401, R"({"error":"invalid_client"})");
        if (form.value(QStringLiteral("grant_type")) == QLatin1String("authorization_code")) {
            if (form.value(QStringLiteral("code")).toUtf8() != googleCode)
                return Response::json(400, R"({"error":"invalid_grant"})");
            return Response::json(200, "{\"access_token\":\"" + googleAccessToken +
                                           "\",\"expires_in\":3599,\"refresh_token\":\"" +
                                           googleRefreshToken + "\"}");
        }
        if (form.value(QStringLiteral("refresh_token")).toUtf8() != googleRefreshToken || ++refreshes == 1)
            return Response::json(400, R"({"error":"invalid_grant","error_description":"Bad Request"})");
        return Response::json(200, "{\"access_token\":\"" + googleRefreshedToken + "\",\"expires_in\":3599}");
    });
    server.route("POST", "/revoke", Response::json(200, "{}"));
    const auto authorized = [](const QByteArray& body) {
        return [body](const Request& request) {
            const QByteArray bearer = request.header("Authorization");
            return bearer == "Bearer " + googleAccessToken || bearer == "Bearer " + googleRefreshedToken
                       ? Response::json(200, body)
                       : Response::json(401, R"({"error":{"code":401,"status":"UNAUTHENTICATED"}})");
        };
    };
    server.route("GET", "/v1beta/accountSummaries",
                 authorized(R"({"accountSummaries":[{"displayName":"Acme","propertySummaries":[
                     {"property":"properties/123456","displayName":"Acme shop"}]}]})"));
    server.route(
        "GET", "/webmasters/v3/sites",
        authorized(R"({"siteEntry":[{"siteUrl":"sc-domain:acme.example","permissionLevel":"siteOwner"}]})"));
    server.route("POST", "/v1beta/properties/123456:runReport",
                 authorized(testData("google/ga_report_28d.json")));
    server.route("POST", "/webmasters/v3/sites/sc-domain:acme.example/searchAnalytics/query",
                 authorized(testData("google/gsc_query.json")));
}

// The real program through a whole session with known fake secrets: they reach the services and the keyring,
// and nowhere else.
TEST(Secrets, NeverAppearInOutputDocumentsOrAnyWrittenFile) {
    const QString executable = QStringLiteral(ZINGBOARD_EXECUTABLE);
    const QString dbusRunSession = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    bool toolsFound = true;
    for (const char* tool : {"gnome-keyring-daemon", "secret-tool", "curl"})
        toolsFound = toolsFound && !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
    if (!QFileInfo(executable).isExecutable() || dbusRunSession.isEmpty() || !toolsFound)
        GTEST_SKIP()
            << "needs the built program, dbus-run-session, gnome-keyring-daemon, secret-tool and curl";

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
    int refreshes = 0;
    routeGoogle(server, refreshes);

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
    for (const char* name :
         {"ZINGBOARD_GOOGLE_ACCOUNTS_BASE", "ZINGBOARD_GOOGLE_OAUTH2_BASE", "ZINGBOARD_GA_ADMIN_API_BASE",
          "ZINGBOARD_GA_DATA_API_BASE", "ZINGBOARD_GSC_API_BASE"})
        env.insert(QString::fromLatin1(name), server.baseUrl());
    env.insert(QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID"), QStringLiteral("hardening.apps.example"));
    env.insert(QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET"), QString::fromUtf8(googleClientSecret));

    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(dbusRunSession, {QStringLiteral("--"), QStringLiteral("bash"),
                               root.filePath(QStringLiteral("session.sh")), root.path()});
    ASSERT_TRUE(spinUntil([&run] { return run.state() == QProcess::NotRunning; }, 180s))
        << "the session hung";

    QList<QPair<QString, QByteArray>> outputs;
    QHash<QByteArray, QByteArray> errorsOf;
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
        errorsOf.insert(step.name, errors);
        outputs.append({QString::fromUtf8(step.name) + QStringLiteral(" stdout"), out.readAll()});
        outputs.append({QString::fromUtf8(step.name) + QStringLiteral(" stderr"), errors});
        // What the loopback listener showed the browser.
        QFile page(base + QStringLiteral(".page"));
        if (page.open(QIODevice::ReadOnly))
            outputs.append({QString::fromUtf8(step.name) + QStringLiteral(" page"), page.readAll()});
    }
    // The errors the session was built to cause did reach the user.
    EXPECT_FALSE(errorsOf.value("connect-stripe-wrong").isEmpty()) << "the refused key printed nothing";
    EXPECT_FALSE(errorsOf.value("headless-text").isEmpty()) << "the failed poll printed nothing";
    EXPECT_TRUE(errorsOf.value("headless-json").contains("Google Analytics:"))
        << "the refused refresh printed nothing: " << errorsOf.value("headless-json").constData();

    // The secrets were really loaded and used.
    QList<QByteArray> bearers;
    for (const LocalHttpServer::RecordedRequest& request : server.requests())
        bearers.append(request.header("Authorization"));
    EXPECT_TRUE(bearers.contains("Bearer " + stripeKey));
    EXPECT_TRUE(bearers.contains("Bearer " + wrongStripeKey));
    EXPECT_TRUE(bearers.contains("Bearer " + datafastKey));
    EXPECT_TRUE(bearers.contains("Bearer " + googleAccessToken));
    EXPECT_TRUE(bearers.contains("Bearer " + googleRefreshedToken));
    EXPECT_EQ(refreshes, 2);
    const QList<LocalHttpServer::RecordedRequest> revocations = server.requestsTo("/revoke");
    ASSERT_EQ(revocations.size(), 1);
    EXPECT_EQ(
        revocations.first().formItems(),
        (QList<QPair<QString, QString>>{{QStringLiteral("token"), QString::fromUtf8(googleRefreshToken)}}));

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
    for (const QByteArray& secret : {stripeKey, wrongStripeKey, datafastKey, googleClientSecret, googleCode,
                                     googleAccessToken, googleRefreshedToken, googleRefreshToken}) {
        // The distinctive middle of the key, so a trimmed or re-cased copy is caught too.
        const QByteArray core = secret.mid(8, 16);
        for (const auto& [where, bytes] : outputs) {
            EXPECT_FALSE(bytes.toLower().contains(core.toLower()))
                << secret.constData() << " found in " << where.toStdString();
        }
    }
}

// Everything a person, a screen reader or a screenshot can get out of the widgets: shown texts (a field's
// masked display text, not its content), tool tips, accessible names, values and descriptions, window titles.
QStringList widgetTexts(QWidget* root) {
    QStringList texts;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        texts << widget->windowTitle() << widget->toolTip() << widget->statusTip() << widget->whatsThis()
              << widget->accessibleName() << widget->accessibleDescription();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            texts << field->displayText() << field->placeholderText();
        if (auto* menu = qobject_cast<QComboBox*>(widget))
            texts << menu->currentText();
        if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget)) {
            for (QAccessible::Text kind :
                 {QAccessible::Name, QAccessible::Value, QAccessible::Description, QAccessible::Help})
                texts << accessible->text(kind);
        }
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        texts << window->windowTitle();
    return texts;
}

QStringList* capturedMessages = nullptr;

void captureMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (capturedMessages)
        capturedMessages->append(message);
}

// The connect screens: keys typed, checked, refused and replaced never show up in what the widgets expose, in
// the log, in the saved documents, or in a picture of the screen taken with a key in a field.
TEST(Secrets, NeverAppearOnTheConnectScreens) {
    struct Engine : FakeEngineParts {
        FakeClock clock;
        MemoryPreferencesStore preferences;
        PersistenceManager persistence{preferences, clock};
        MemoryCredentialStore credentials;
        KeychainStore keychain{credentials};
        AppState state{dependencies(persistence, keychain, clock)};
    } engine;
    RecordingShellActions shell;
    QStringList messages;
    capturedMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);

    QStringList seen;
    {
        ConnectSession session(engine.state);
        IntegrationsView view(session, shell);
        view.resize(380, 1200);
        view.show();
        StripeConnectPanel& stripe = *view.stripePanel();
        DatafastConnectPanel& datafast = *view.datafastPanel();
        const auto look = [&view, &seen] {
            seen += widgetTexts(&view);
            // The picture itself must come out; its text is what widgetTexts() found.
            EXPECT_FALSE(view.grab().toImage().isNull());
        };

        stripe.keyField()->setText(QString::fromUtf8(stripeKey));
        datafast.keyField()->setText(QString::fromUtf8(datafastKey));
        datafast.websiteField()->setText(QStringLiteral("site-1"));
        look();
        stripe.submitButton()->click();
        datafast.submitButton()->click();
        EXPECT_TRUE(
            spinUntil([&] { return engine.state.integration(IntegrationProvider::datafast).isConnected; },
                      std::chrono::seconds(20)));
        look();
        EXPECT_TRUE(engine.state.integration(IntegrationProvider::stripe).isConnected);

        engine.validator.error = std::make_exception_ptr(ProviderError::apiError(
            QStringLiteral("Stripe rejected that key. Check permissions and try again.")));
        stripe.connectedActions()->replaceButton()->click();
        stripe.keyField()->setText(QString::fromUtf8(wrongStripeKey));
        stripe.submitButton()->click();
        // The refused key is still in the field, under its error line.
        EXPECT_EQ(stripe.keyField()->text().toUtf8(), wrongStripeKey);
        look();
    }
    qInstallMessageHandler(previous);
    capturedMessages = nullptr;

    QList<QPair<QString, QByteArray>> outputs;
    outputs.append({QStringLiteral("widgets"), seen.join(QLatin1Char('\n')).toUtf8()});
    outputs.append({QStringLiteral("log"), messages.join(QLatin1Char('\n')).toUtf8()});
    for (auto it = engine.preferences.values().constBegin(); it != engine.preferences.values().constEnd();
         ++it)
        outputs.append({it.key(), it.value()});
    EXPECT_GE(outputs.size(), 3) << "no document was saved";
    for (const QByteArray& secret : {stripeKey, wrongStripeKey, datafastKey}) {
        const QByteArray core = secret.mid(8, 16);
        for (const auto& [where, bytes] : outputs) {
            EXPECT_FALSE(bytes.toLower().contains(core.toLower()))
                << secret.constData() << " found in " << where.toStdString();
        }
    }
}

} // namespace
