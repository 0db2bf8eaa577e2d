#include "app/zingboard_main.h"

#include "app/app_context.h"
#include "app/cli_commands.h"
#include "app/google_connect_command.h"
#include "app/headless_runner.h"
#include "app/scaled_clock.h"
#include "app/termination_signals.h"
#include "engine/app_state.h"
#include "reactions/floating_reaction_controller.h"
#include "reactions/floating_reaction_view.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

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

// Runs the polling engine until it finishes or a termination signal arrives. A poll still waiting on the
// network when the loop ends would resume into torn-down objects, so then the engine is left to the
// process's end instead of being destroyed (the documents are saved by then).
int runPolling(std::unique_ptr<AppContext> context, HeadlessRunner::Options options,
               const std::function<void(AppContext&)>& decorate = {}) {
    TerminationSignals signals;
    HeadlessRunner runner(*context, options);
    QObject::connect(&signals, &TerminationSignals::terminationRequested, &runner, &HeadlessRunner::stop);
    QObject::connect(
        &runner, &HeadlessRunner::finished, QCoreApplication::instance(),
        [](int status) { QCoreApplication::exit(status); }, Qt::QueuedConnection);
    if (decorate)
        decorate(*context);
    if (context->audioUnavailable())
        std::fputs("No audio output found: reactions will be silent.\n", stderr);
    context->preloadSounds();
    QTimer::singleShot(0, &runner, &HeadlessRunner::start);
    const int status = QCoreApplication::exec();
    if (context->state().isPolling())
        (void)context.release();
    return status;
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
        QApplication app(argc, argv);
        app.setQuitOnLastWindowClosed(false);
        auto context = std::make_unique<AppContext>(AppContext::Options{false, timeScale});
        return runPolling(std::move(context), HeadlessRunner::Options{p.demo, false, false},
                          [](AppContext& c) {
                              AppState& state = c.state();
                              auto* overlay = new FloatingReactionController(
                                  state.reactionStore(),
                                  [&state] {
                                      return OverlaySettings{state.settings().notificationStyle,
                                                             state.settings().reactionAnimationsEnabled};
                                  },
                                  c.clock(), c.random(), &state);
                              overlay->attach();
                              QObject::connect(&state, &AppState::settingsChanged, overlay,
                                               &FloatingReactionController::settingsChanged);
                          });
    }

    if (p.command == QLatin1String("headless")) {
        if (!p.arguments.isEmpty())
            return usageError(QStringLiteral("headless takes no arguments."));
        QCoreApplication app(argc, argv);
        auto context = std::make_unique<AppContext>(AppContext::Options{p.mute, timeScale});
        return runPolling(std::move(context), HeadlessRunner::Options{p.demo, p.once, p.json});
    }

    if (p.command == QLatin1String("status")) {
        if (auto problem = allowOnly({QStringLiteral("json")}))
            return usageError(*problem);
        if (!p.arguments.isEmpty())
            return usageError(QStringLiteral("status takes no arguments."));
        QCoreApplication app(argc, argv);
        AppContext context(AppContext::Options{true, std::nullopt});
        return CliCommands::status(context, p.json, stdout);
    }

    if (p.command == QLatin1String("connect") || p.command == QLatin1String("disconnect")) {
        if (auto problem = allowOnly({}))
            return usageError(*problem);
        if (p.arguments.size() != 1 || !targets.contains(p.arguments.first()))
            return usageError(p.command + QStringLiteral(" needs one of: stripe, datafast, google."));
        QCoreApplication app(argc, argv);
        AppContext context(AppContext::Options{true, std::nullopt});
        const QString target = p.arguments.first();
        if (p.command == QLatin1String("connect") && target == QLatin1String("google")) {
            GoogleConnectCommand::Options google;
            google.noBrowser = parser.isSet(noBrowser);
            if (parser.isSet(gaProperty))
                google.gaProperty = parser.value(gaProperty);
            if (parser.isSet(gscSite))
                google.gscSite = parser.value(gscSite);
            return runInLoop(
                [&context, google] { return GoogleConnectCommand::run(context, google, stdout, stderr); });
        }
        if (p.command == QLatin1String("connect"))
            return runInLoop(
                [&context, target] { return CliCommands::connect(context, target, stdout, stderr); });
        return runInLoop(
            [&context, target] { return CliCommands::disconnect(context, target, stdout, stderr); });
    }

    return usageError(QStringLiteral("unknown command '") + p.command + QStringLiteral("'."));
}
