// Start-up and idle cost of the tray program, side by side with the least a Qt program needs for a tray
// icon (tray_floor), both run in one private X session with a tray, a session bus and a (silent) sound
// server, as on a desktop. Figures are ratios against that floor, measured in the same run, so a slow or busy
// machine moves both alike.
//
// Times are taken from outside the programs, on the X server's side: a window counts as shown at the first
// drawing into it after it was mapped (XDamage), and the click on the icon is sent through XTest, so neither
// includes the start of a helper tool.
//
// Main-thread wakeups: the main thread's voluntary context switches (/proc/<pid>/task/<pid>/status). Each
// return from the event loop's poll() ends in one when the thread sleeps again, so a timer, animation or
// socket that wakes the loop shows up here, while Qt's own helper threads (the X event reader) do not.
// Preemption while running (involuntary switches) is the machine's load, not a wakeup. Qt trims its font and
// pixmap caches on timers for about forty seconds after a window was drawn; the minute is counted after
// that, and the trimming is shown on a line of its own.
#include "model/app_settings.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/memory_preferences_store.h"
#include "support/private_session_bus.h"
#include "support/pulse_null_sink.h"
#include "support/x_frame_watch.h"
#include "support/x_tray_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <vector>

namespace {

constexpr QSize kPanelSize(360, 560);
// Qt's font cache checks every ten seconds until what it holds is small again; its pixmap cache once after
// thirty seconds.
constexpr int kCacheTrimSeconds = 45;
constexpr int kStarts = 5;

struct Figures {
    double iconMs = -1;
    double idleRssMiB = -1;
    double afterPanelRssMiB = -1;
    double firstPanelMs = -1;
    double laterPanelMs = -1;
    long long trimWakeups = -1;
    long long idleWakeups = -1;
};

std::optional<long long> statusField(qint64 pid, const char* path, const QByteArray& name) {
    QFile file(QString::fromLatin1(path).arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return std::nullopt;
}

double rssMiB(qint64 pid) {
    return double(statusField(pid, "/proc/%1/status", "VmRSS").value_or(-1024)) / 1024.0;
}

long long mainThreadWakeups(qint64 pid) {
    return statusField(pid, "/proc/%1/task/%1/status", "voluntary_ctxt_switches").value_or(0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msBetween(XFrameWatch::Instant from, XFrameWatch::Instant to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Lets the program settle (fonts, first poll, deferred start-up work) before it counts as idle.
void settle(int milliseconds) {
    XTraySession::waitFor([] { return false; }, std::chrono::milliseconds(milliseconds));
}

class Run {
public:
    Run(const XTraySession& x, XFrameWatch& watch, QString program)
        : m_x(x), m_watch(watch), m_program(std::move(program)) {
        for (const char* folder : {"home", "config/zingboard", "data", "runtime"})
            QDir(m_root.path()).mkpath(QString::fromUtf8(folder));
        QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Onboarding done and the demo source on; no poll falls into the idle minute.
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        settings.demoModeEnabled = true;
        settings.pollIntervalSeconds = 3600;
        MemoryPreferencesStore store;
        FakeClock clock;
        PersistenceManager(store, clock).encodeSettings(settings);
        QFile file(m_root.filePath(QStringLiteral("config/zingboard/") + PersistenceManager::settingsKey() +
                                   QStringLiteral(".json")));
        if (file.open(QIODevice::WriteOnly))
            file.write(store.value(PersistenceManager::settingsKey()).value_or(QByteArray()));
    }
    ~Run() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Starts the program and waits for its tray icon to be drawn; the time it took, or nothing.
    std::optional<double> start() {
        QProcessEnvironment environment = m_x.environment(QProcessEnvironment::systemEnvironment());
        for (const auto& [name, folder] :
             {std::pair{"HOME", "home"}, std::pair{"XDG_CONFIG_HOME", "config"},
              std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_RUNTIME_DIR", "runtime"}})
            environment.insert(QString::fromLatin1(name), m_root.filePath(QString::fromLatin1(folder)));
        m_process.setProcessEnvironment(environment);
        const XFrameWatch::Instant started = std::chrono::steady_clock::now();
        // A benchmark stopped outright must not leave its programs running.
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_process.start(m_program, {});
        if (!m_process.waitForStarted(10000))
            return std::nullopt;
        std::optional<XFrameWatch::Window> icon;
        const auto small = [](QSize size) { return size.width() <= 64 && size.height() <= 64; };
        m_watch.waitFor(
            [&] {
                icon = m_watch.firstDrawn(started, pid(), small);
                return icon.has_value() || m_process.state() != QProcess::Running;
            },
            std::chrono::seconds(20));
        // Where the tray put the icon, to click it later.
        if (!icon || !XTraySession::waitFor([this] {
                m_icon = findIcon();
                return m_icon.has_value();
            }))
            return std::nullopt;
        return msBetween(started, *icon->firstFrame);
    }

    // Clicks the icon and waits for the panel's first frame; then closes it again.
    std::optional<double> openPanel() {
        const XFrameWatch::Instant pressed = m_watch.click(m_icon->center(), 1);
        std::optional<XFrameWatch::Window> panel;
        const auto isPanel = [](QSize size) { return size == kPanelSize; };
        if (!m_watch.waitFor(
                [&] { return (panel = m_watch.firstDrawn(pressed, pid(), isPanel)).has_value(); },
                std::chrono::seconds(10)))
            return std::nullopt;
        m_x.key(QStringLiteral("Escape"));
        XTraySession::waitFor([this] { return !panelShown(); }, std::chrono::seconds(10));
        return msBetween(pressed, *panel->firstFrame);
    }

    qint64 pid() const { return m_process.processId(); }
    // Whether the program still runs, and what it said on standard error, for a failed run.
    QString state() {
        const QString said = QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
        const QString running = m_process.state() == QProcess::Running
                                    ? QStringLiteral("still running")
                                    : QStringLiteral("exited with %1").arg(m_process.exitCode());
        return said.isEmpty() ? running : running + QStringLiteral(": ") + said;
    }

private:
    std::optional<QRect> findIcon() const {
        for (quint64 window : m_x.visibleWindows(pid())) {
            const std::optional<QRect> rect = m_x.geometry(window);
            if (rect && rect->width() <= 64 && rect->height() <= 64)
                return rect;
        }
        return std::nullopt;
    }
    bool panelShown() const {
        for (quint64 window : m_x.visibleWindows(pid())) {
            const std::optional<QRect> rect = m_x.geometry(window);
            if (rect && rect->size() == kPanelSize)
                return true;
        }
        return false;
    }

    const XTraySession& m_x;
    XFrameWatch& m_watch;
    QString m_program;
    QTemporaryDir m_root;
    QProcess m_process;
    std::optional<QRect> m_icon;
};

QString cell(double value, const char* format) {
    return value < 0 ? QStringLiteral("-") : QString::asprintf(format, value);
}

QString ratio(double value, double floor) {
    return value < 0 || floor <= 0 ? QStringLiteral("-") : QString::asprintf("%.2fx", value / floor);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int idleSeconds = qEnvironmentVariableIsSet("ZINGBOARD_BENCH_IDLE_SECONDS")
                                ? qEnvironmentVariableIntValue("ZINGBOARD_BENCH_IDLE_SECONDS")
                                : 60;
    // Before the programs start: Qt Multimedia reads the device list once.
    QString noSound;
    if (!PulseNullSink::shared(&noSound)) {
        std::fprintf(stderr, "bench_startup: no sound server (%s)\n", qPrintable(noSound));
        return 1;
    }
    // A desktop has a session bus; without one, libdbus would autolaunch a bus (and the bus a keyring) for
    // each program, which outlive the run.
    QTemporaryDir busFolder;
    PrivateSessionBus bus(busFolder.path());
    if (bus.address().isEmpty()) {
        std::fprintf(stderr, "bench_startup: no session bus (is dbus-daemon installed?)\n");
        return 1;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    // trayer now and then quits at once, without a word, on a loaded machine: one more try before giving up.
    auto session = std::make_unique<XTraySession>();
    if (!session->isReady())
        session = std::make_unique<XTraySession>();
    if (!session->isReady()) {
        std::fprintf(stderr, "bench_startup: no tray session (%s)\n", qPrintable(session->problem()));
        return 1;
    }
    const XTraySession& x = *session;
    XFrameWatch watch(x.display());
    if (!watch.isReady()) {
        std::fprintf(stderr, "bench_startup: %s\n", qPrintable(watch.problem()));
        return 1;
    }

    Figures floor;
    Figures ours;
    // Start-up time on a shared machine moves by a factor of two from one start to the next: each program is
    // started several times, alternately and one after the other (so neither start competes with the other
    // for the processor), and the median counts. The last two stay for the other figures.
    std::unique_ptr<Run> bare;
    std::unique_ptr<Run> zingboard;
    std::vector<double> bareStarts;
    std::vector<double> ourStarts;
    for (int i = 0; i < kStarts; ++i) {
        bare = std::make_unique<Run>(x, watch, QStringLiteral(ZINGBOARD_TRAY_FLOOR));
        zingboard = std::make_unique<Run>(x, watch, QStringLiteral(ZINGBOARD_EXECUTABLE));
        const std::optional<double> bareIcon = bare->start();
        const std::optional<double> ourIcon = bareIcon ? zingboard->start() : std::nullopt;
        if (!bareIcon || !ourIcon) {
            Run& failed = bareIcon ? *zingboard : *bare;
            std::fprintf(stderr, "bench_startup: a tray icon did not appear (%s, %s)\n",
                         bareIcon ? "zingboard" : "floor", qPrintable(failed.state()));
            return 1;
        }
        bareStarts.push_back(*bareIcon);
        ourStarts.push_back(*ourIcon);
        if (i + 1 < kStarts) {
            bare.reset();
            zingboard.reset();
        }
    }
    floor.iconMs = median(bareStarts);
    ours.iconMs = median(ourStarts);
    settle(3000);
    floor.idleRssMiB = rssMiB(bare->pid());
    ours.idleRssMiB = rssMiB(zingboard->pid());

    std::vector<double> later;
    for (int i = 0; i < 6; ++i) {
        const std::optional<double> opened = zingboard->openPanel();
        if (!opened) {
            std::fprintf(stderr, "bench_startup: the panel did not open\n");
            return 1;
        }
        if (i == 0)
            ours.firstPanelMs = *opened;
        else
            later.push_back(*opened);
    }
    ours.laterPanelMs = median(later);
    settle(2000);
    ours.afterPanelRssMiB = rssMiB(zingboard->pid());

    // Both idle side by side: first while Qt trims its caches, then for the measured minute.
    const long long bareStart = mainThreadWakeups(bare->pid());
    const long long ourStart = mainThreadWakeups(zingboard->pid());
    settle(kCacheTrimSeconds * 1000);
    const long long bareBefore = mainThreadWakeups(bare->pid());
    const long long ourBefore = mainThreadWakeups(zingboard->pid());
    floor.trimWakeups = bareBefore - bareStart;
    ours.trimWakeups = ourBefore - ourStart;
    settle(idleSeconds * 1000);
    floor.idleWakeups = mainThreadWakeups(bare->pid()) - bareBefore;
    ours.idleWakeups = mainThreadWakeups(zingboard->pid()) - ourBefore;

    std::printf("%-40s %12s %12s %8s   %s\n", "", "bare tray", "zingboard", "ratio", "aim");
    const auto row = [](const char* name, double bareValue, double ourValue, const QString& r,
                        const char* aim, const char* format) {
        std::printf("%-40s %12s %12s %8s   %s\n", name, qPrintable(cell(bareValue, format)),
                    qPrintable(cell(ourValue, format)), qPrintable(r), aim);
    };
    row("time to tray icon shown, median (ms)", floor.iconMs, ours.iconMs, ratio(ours.iconMs, floor.iconMs),
        "<= 1.3x", "%.0f");
    row("RSS idle, panel never opened (MiB)", floor.idleRssMiB, ours.idleRssMiB,
        ratio(ours.idleRssMiB, floor.idleRssMiB), "<= 1.3x", "%.1f");
    row("RSS after opening and closing (MiB)", floor.idleRssMiB, ours.afterPanelRssMiB,
        ratio(ours.afterPanelRssMiB, floor.idleRssMiB), "<= 1.5x", "%.1f");
    row("click to panel, first opening (ms)", -1, ours.firstPanelMs, QStringLiteral("-"), "< 100 ms", "%.0f");
    row("click to panel, later openings (ms)", -1, ours.laterPanelMs, QStringLiteral("-"), "< 50 ms", "%.0f");
    const QString trim = QStringLiteral("wakeups, first %1 s (Qt cache trimming)").arg(kCacheTrimSeconds);
    row(qPrintable(trim), double(floor.trimWakeups), double(ours.trimWakeups),
        QString::asprintf("%+lld", ours.trimWakeups - floor.trimWakeups), "-", "%.0f");
    const QString wakeups = QStringLiteral("main-thread wakeups in %1 s idle").arg(idleSeconds);
    row(qPrintable(wakeups), double(floor.idleWakeups), double(ours.idleWakeups),
        QString::asprintf("%+lld", ours.idleWakeups - floor.idleWakeups), "0", "%.0f");
    std::printf(
        "(times end at the first frame drawn on screen; RSS after the panel is against the floor idle)\n");
    return 0;
}
