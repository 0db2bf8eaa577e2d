#include "app/zingboard_main.h"

#include "app/app_context.h"
#include "app/app_identity.h"
#include "app/cli_commands.h"
#include "app/google_connect_command.h"
#include "app/headless_runner.h"
#include "app/instance/instance_client.h"
#include "app/instance/instance_server.h"
#include "app/orderly_exit.h"
#include "app/scaled_clock.h"
#include "app/secret_input.h"
#include "app/shell/app_controller.h"
#include "app/shell/app_window_controller.h"
#include "app/shell/desktop_platform.h"
#include "app/shell/status_bar_controller.h"
#include "app/shell/system_tray_icon.h"
#include "app/stdio_console.h"
#include "app/termination_signals.h"
#include "engine/app_state.h"
#include "engine/google_connect_flow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int kUsageError = 2;

QString usage() {
    return QStringLiteral(
        "Commands:\n"
        "  (none) [--demo]                       the desktop application\n"
        "  headless [--demo] [--once] [--json] [--mute]\n"
        "                                        poll and react without a window\n"
        "  status [--json]                       connections and settings (never a secret)\n"
        "  connect stripe|datafast|google        store and check credentials read from standard input\n"
        "  disconnect stripe|datafast|google     forget an integration and its credentials\n");
}

void printText(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QString& message) {
    printText(stderr,
              QStringLiteral("zingboard: ") + message + QStringLiteral("\nTry 'zingboard --help'.\n"));
    return kUsageError;
}

struct Parsed {
    QString command;
    QStringList arguments;
    bool demo = false;
    bool once = false;
    bool json = false;
    bool mute = false;
};

// Runs `body` inside the event loop and returns its status once it ends.
QCoro::Task<void> drive(std::function<QCoro::Task<int>()> body) {
    const int status = co_await body();
    QCoreApplication::exit(status);
}

int runInLoop(std::function<QCoro::Task<int>()> body) {
    QTimer::singleShot(0, QCoreApplication::instance(), [body = std::move(body)] { drive(body); });
    return QCoreApplication::exec();
}

// Runs the event loop, then ends the engine's work. Cancelling resumes what waited on the network at once;
// something else (a keyring call that has not answered yet) gets a short while to return. Work that still
// waits would resume into torn-down objects: the engine is left to the process's end (the documents are
// saved by then).
int runUntilLeft(std::unique_ptr<AppContext>& context, const OrderlyExit& leaving) {
    const int status = QCoreApplication::exec();
    context->shutdown();
    QDeadlineTimer deadline(std::chrono::milliseconds(500));
    while (leaving.workStillSuspended() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (leaving.workStillSuspended())
        (void)context.release();
    return status;
}

// Runs the polling engine as the running instance until it finishes or is asked to leave. A poll or command
// still waiting on the network when the loop ends is cancelled and unwinds before the engine is destroyed.
int runPolling(std::unique_ptr<AppContext> context, HeadlessRunner::Options options,
               const InstancePaths& paths) {
    TerminationSignals signals;
    HeadlessRunner runner(*context, options);
    OrderlyExit leaving(context->state());
    leaving.setBeforeSave([&runner] { runner.stop(); });
    QObject::connect(&signals, &TerminationSignals::terminationRequested, &leaving,
                     [&leaving] { leaving.leave(0); });
    QObject::connect(
        &runner, &HeadlessRunner::finished, &leaving, [&leaving](int status) { leaving.leave(status); },
        Qt::QueuedConnection);
    InstanceServer server(InstanceSession::Host{context.get(), {}});
    QString problem;
    if (!server.listen(paths, &problem)) {
        printText(stderr, QStringLiteral("zingboard: cannot listen on ") + paths.socket +
                              QStringLiteral(": ") + problem + QLatin1Char('\n'));
        return 1;
    }
    leaving.setInstanceServer(&server);
    if (context->audioUnavailable())
        std::fputs("No audio output found: reactions will be silent.\n", stderr);
    context->preloadSounds();
    QTimer::singleShot(0, &runner, &HeadlessRunner::start);
    return runUntilLeft(context, leaving);
}

// The tray program as the running instance: a later launch opens its panel; "Quit Zingboard", Ctrl-C and
// SIGTERM leave through the same orderly exit.
int runDesktop(std::unique_ptr<AppContext> context, bool demo, const InstancePaths& paths) {
    TerminationSignals signals;
    GoogleConnectFlow googleConnect(context->state(), context->googleOAuth(), context->google());
    AppController controller({context->state(), context->demoSimulator(), context->clock(), context->random(),
                              context->soundEngine(), std::make_unique<SystemTrayIcon>(),
                              WindowScreens::defaults(), &googleConnect});
    OrderlyExit leaving(context->state());
    leaving.setBeforeSave([&controller] {
        controller.statusBar().closePopover();
        controller.windows().closeAll();
    });
    QObject::connect(&signals, &TerminationSignals::terminationRequested, &leaving,
                     [&leaving] { leaving.leave(0); });
    QObject::connect(&controller, &AppController::quitRequested, &leaving, [&leaving] { leaving.leave(0); });
    InstanceServer server(InstanceSession::Host{context.get(), [&controller] { controller.reopen(); }});
    QString problem;
    if (!server.listen(paths, &problem)) {
        printText(stderr, QStringLiteral("zingboard: cannot listen on ") + paths.socket +
                              QStringLiteral(": ") + problem + QLatin1Char('\n'));
        return 1;
    }
    leaving.setInstanceServer(&server);
    if (context->audioUnavailable())
        std::fputs("No audio output found: reactions will be silent.\n", stderr);
    QTimer::singleShot(0, &controller, [&controller, demo] { controller.launch({demo}); });
    return runUntilLeft(context, leaving);
}

std::optional<InstancePaths> instancePaths() {
    QString problem;
    std::optional<InstancePaths> paths = InstancePaths::forThisUser(&problem);
    if (!paths)
        printText(stderr, QStringLiteral("zingboard: cannot keep to one running Zingboard: ") + problem +
                              QLatin1Char('\n'));
    return paths;
}

int ownerDoesNotAnswer(InstanceClient& client) {
    printText(stderr, QStringLiteral("zingboard: another Zingboard (process ") +
                          QString::number(client.ownerPid().value_or(0)) +
                          QStringLiteral(") holds the lock but does not answer.\n"));
    return 1;
}

// The one-shot commands go to the running instance when there is one, so that it keeps the documents whole.
// Nothing when there is none: the caller acts itself. Without a usable runtime folder no instance can be
// running either (it could not have taken the lock).
std::optional<int> handOver(const InstanceRequest& request) {
    QString problem;
    const std::optional<InstancePaths> paths = InstancePaths::forThisUser(&problem);
    if (!paths)
        return std::nullopt;
    InstanceClient client(*paths);
    switch (client.find(false)) {
    case InstanceClient::Presence::reached:
        return client.carryOut(request);
    case InstanceClient::Presence::silent:
        return ownerDoesNotAnswer(client);
    case InstanceClient::Presence::absent:
        break;
    }
    return std::nullopt;
}

} // namespace

int zingboardMain(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Zingboard: loud reactions to your business numbers.\n\n") + usage());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Switch the demo source on (saved)."));
    const QCommandLineOption once(QStringLiteral("once"), QStringLiteral("headless: poll once and exit."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("headless, status: print JSON."));
    const QCommandLineOption mute(QStringLiteral("mute"), QStringLiteral("headless: play no sounds."));
    const QCommandLineOption noBrowser(QStringLiteral("no-browser"),
                                       QStringLiteral("connect google: only print the sign-in address."));
    const QCommandLineOption gaProperty(QStringLiteral("ga-property"),
                                        QStringLiteral("connect google: the GA4 property to watch."),
                                        QStringLiteral("ID"));
    const QCommandLineOption gscSite(QStringLiteral("gsc-site"),
                                     QStringLiteral("connect google: the Search Console site to watch."),
                                     QStringLiteral("URL"));
    parser.addOptions({demo, once, json, mute, noBrowser, gaProperty, gscSite});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("headless, status, connect or disconnect."),
                                 QStringLiteral("[command]"));

    QCoreApplication::setApplicationName(QStringLiteral("zingboard"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZINGBOARD_VERSION));
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    // addHelpOption() also registers --help-all; parse() leaves both to us, and an unhandled one would start
    // the program instead of describing it.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object the parser cannot know the program's name.
        printText(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                    QStringLiteral("zingboard")));
        return 0;
    }
    if (parser.isSet(version)) {
        printText(stdout,
                  QStringLiteral("zingboard ") + QStringLiteral(ZINGBOARD_VERSION) + QLatin1Char('\n'));
        return 0;
    }

    Parsed p;
    const QStringList positional = parser.positionalArguments();
    p.command = positional.value(0);
    p.arguments = positional.mid(1);
    p.demo = parser.isSet(demo);
    p.once = parser.isSet(once);
    p.json = parser.isSet(json);
    p.mute = parser.isSet(mute);

    // Which options each command accepts.
    const auto allowOnly = [&](const QStringList& allowed) -> std::optional<QString> {
        const QList<std::pair<QString, bool>> given = {{QStringLiteral("demo"), p.demo},
                                                       {QStringLiteral("once"), p.once},
                                                       {QStringLiteral("json"), p.json},
                                                       {QStringLiteral("mute"), p.mute}};
        for (const auto& [name, isSet] : given) {
            if (isSet && !allowed.contains(name))
                return QStringLiteral("--") + name + QStringLiteral(" does not apply here.");
        }
        return std::nullopt;
    };
    const QStringList targets = {QStringLiteral("stripe"), QStringLiteral("datafast"),
                                 QStringLiteral("google")};
    const std::optional<double> timeScale = ScaledClock::scaleFromEnvironment();
    if ((parser.isSet(noBrowser) || parser.isSet(gaProperty) || parser.isSet(gscSite)) &&
        !(p.command == QLatin1String("connect") && p.arguments == QStringList{QStringLiteral("google")}))
        return usageError(
            QStringLiteral("--no-browser, --ga-property and --gsc-site apply to connect google only."));

    if (p.command.isEmpty()) {
        if (auto problem = allowOnly({QStringLiteral("demo")}))
            return usageError(*problem);
        const std::optional<InstancePaths> paths = instancePaths();
        if (!paths)
            return 1;
        InstanceClient instance(*paths);
        if (!instance.lock().tryLock(0)) {
            // A later launch only asks the running program to show itself; it needs no display for that.
            QCoreApplication probe(argc, argv);
            InstanceRequest request;
            request.command = InstanceRequest::Command::open;
            request.demo = p.demo;
            switch (instance.find(true)) {
            case InstanceClient::Presence::reached:
                return instance.carryOut(request);
            case InstanceClient::Presence::silent:
                return ownerDoesNotAnswer(instance);
            case InstanceClient::Presence::absent:
                break;
            }
        }
        DesktopPlatform::chooseBeforeStart();
        QApplication app(argc, argv);
        app.setQuitOnLastWindowClosed(false);
        // Lets the desktop match the windows to the installed menu entry and its icon.
        QGuiApplication::setDesktopFileName(AppIdentity::applicationId());
        return runDesktop(std::make_unique<AppContext>(AppContext::Options{false, timeScale}), p.demo,
                          *paths);
    }

    if (p.command == QLatin1String("headless")) {
        if (!p.arguments.isEmpty())
            return usageError(QStringLiteral("headless takes no arguments."));
        const std::optional<InstancePaths> paths = instancePaths();
        if (!paths)
            return 1;
        QCoreApplication app(argc, argv);
        InstanceClient instance(*paths);
        switch (instance.find(true)) {
        case InstanceClient::Presence::reached:
            printText(stderr, QStringLiteral("zingboard: Zingboard is already running (process ") +
                                  QString::number(instance.ownerPid().value_or(0)) +
                                  QStringLiteral("); headless does not start beside it. Quit it first.\n"));
            return 1;
        case InstanceClient::Presence::silent:
            return ownerDoesNotAnswer(instance);
        case InstanceClient::Presence::absent:
            break;
        }
        auto context = std::make_unique<AppContext>(AppContext::Options{p.mute, timeScale});
        return runPolling(std::move(context), HeadlessRunner::Options{p.demo, p.once, p.json}, *paths);
    }

    if (p.command == QLatin1String("status")) {
        if (auto problem = allowOnly({QStringLiteral("json")}))
            return usageError(*problem);
        if (!p.arguments.isEmpty())
            return usageError(QStringLiteral("status takes no arguments."));
        QCoreApplication app(argc, argv);
        InstanceRequest request;
        request.command = InstanceRequest::Command::status;
        request.json = p.json;
        if (const std::optional<int> status = handOver(request))
            return *status;
        AppContext context(AppContext::Options{true, std::nullopt, true});
        StdioConsole console;
        return runInLoop([&]() -> QCoro::Task<int> {
            // The Google records reflect the keyring only once it has been read.
            co_await context.state().syncGoogleIntegrationState();
            co_return CliCommands::status(context, p.json, console);
        });
    }

    if (p.command == QLatin1String("connect") || p.command == QLatin1String("disconnect")) {
        if (auto problem = allowOnly({}))
            return usageError(*problem);
        if (p.arguments.size() != 1 || !targets.contains(p.arguments.first()))
            return usageError(p.command + QStringLiteral(" needs one of: stripe, datafast, google."));
        QCoreApplication app(argc, argv);
        const QString target = p.arguments.first();
        const bool connect = p.command == QLatin1String("connect");
        GoogleConnectCommand::Options google;
        google.noBrowser = parser.isSet(noBrowser);
        if (parser.isSet(gaProperty))
            google.gaProperty = parser.value(gaProperty);
        if (parser.isSet(gscSite))
            google.gscSite = parser.value(gscSite);

        InstanceRequest request;
        request.command = connect ? InstanceRequest::Command::connect : InstanceRequest::Command::disconnect;
        request.target = target;
        request.interactive = SecretInput::isInteractive();
        request.noBrowser = google.noBrowser;
        request.gaProperty = google.gaProperty;
        request.gscSite = google.gscSite;
        if (const std::optional<int> status = handOver(request))
            return *status;

        AppContext context(AppContext::Options{true, std::nullopt});
        StdioConsole console;
        if (connect && target == QLatin1String("google"))
            return runInLoop([&] { return GoogleConnectCommand::run(context, google, console); });
        if (connect)
            return runInLoop([&] { return CliCommands::connect(context, target, console); });
        return runInLoop([&] { return CliCommands::disconnect(context, target, console); });
    }

    return usageError(QStringLiteral("unknown command '") + p.command + QStringLiteral("'."));
}
