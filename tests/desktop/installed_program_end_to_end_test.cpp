#include "model/app_settings.h"
#include "model/persistence_manager.h"
#include "support/x_tray_session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Window sizes of the program as laid out at 1x; positions inside them are where a person would click.
constexpr QSize kPanelSize(360, 560);
constexpr QSize kWelcomeSize(520, 660);
// The welcome window's primary button ("Next", and "Let's go" on the last page) and the last page's
// "Fire it on my screen".
constexpr QPoint kWelcomePrimary(459, 622);
constexpr QPoint kFireButton(260, 221);

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Seen {
    std::optional<QRect> icon;
    std::optional<QRect> panel;
    std::optional<QRect> welcome;
    quint64 welcomeWindow = 0;
    // A window over most of the screen: the reaction on its way across it.
    std::optional<QRect> reaction;
};

// The page dots sit on the primary button's row; the current page's dot is the lime one.
std::optional<int> currentPageDot(const std::optional<XWindowPicture>& picture) {
    if (!picture || picture->height <= kWelcomePrimary.y())
        return std::nullopt;
    for (int x = 120; x < std::min(400, picture->width); ++x) {
        const quint32 c = picture->rgb(x, kWelcomePrimary.y());
        const quint32 red = c >> 16, green = (c >> 8) & 0xFF, blue = c & 0xFF;
        if (green > 0xE0 && red > 0x90 && red < 0xE0 && blue < 0x80)
            return x;
    }
    return std::nullopt;
}

// The last page's wide pink "Fire it on my screen" bar has come to rest under its left end.
bool showsFireButton(const std::optional<XWindowPicture>& picture) {
    if (!picture || picture->width <= 60 || picture->height <= kFireButton.y())
        return false;
    const quint32 c = picture->rgb(60, kFireButton.y());
    return (c >> 16) > 0xC0 && ((c >> 8) & 0xFF) < 0x80;
}

Seen look(const XTraySession& x, qint64 pid) {
    Seen seen;
    for (quint64 window : x.visibleWindows(pid)) {
        const std::optional<QRect> rect = x.geometry(window);
        if (!rect)
            continue;
        if (rect->size() == kPanelSize)
            seen.panel = rect;
        else if (rect->size() == kWelcomeSize) {
            seen.welcome = rect;
            seen.welcomeWindow = window;
        } else if (rect->width() <= 64 && rect->height() <= 64 && rect->top() < 40)
            seen.icon = rect;
        else if (rect->width() >= 640 && rect->height() >= 400)
            seen.reaction = rect;
    }
    return seen;
}

// The program as a package installs it, started for the first time in a desktop session with a compositor
// and a tray: its icon shows, the welcome window comes up by itself and is clicked through, the celebration
// fired from it appears on screen, the icon opens the panel and its menu quits, leaving whole documents.
TEST(InstalledProgramEndToEnd, FirstStartWelcomeCelebrationPanelAndQuit) {
    XTraySession x(true);
    if (!x.isReady())
        GTEST_SKIP() << "no tray session: " << x.problem().toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("xwd")).isEmpty())
        GTEST_SKIP() << "xwd is not installed";

    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString prefix = root.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.start(QStringLiteral(ZINGBOARD_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(ZINGBOARD_BINARY_DIR),
                   QStringLiteral("--prefix"), prefix, QStringLiteral("--component"),
                   QStringLiteral("Unspecified")});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    for (const char* folder : {"home", "config", "data", "runtime"})
        QDir(root.path()).mkpath(QString::fromUtf8(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = x.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(prefix + QStringLiteral("/bin/zingboard"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const qint64 pid = program.processId();
    const auto alive = [&program] { return program.state() == QProcess::Running; };
    const auto failure = [&program] { return program.readAllStandardError().toStdString(); };
    const auto waitToSee = [&](const std::function<bool(const Seen&)>& condition, Seen* seen = nullptr) {
        Seen last;
        const bool met = XTraySession::waitFor([&] {
            last = look(x, pid);
            return condition(last) || !alive();
        });
        if (seen)
            *seen = last;
        return met && alive();
    };

    Seen seen;
    ASSERT_TRUE(waitToSee([](const Seen& s) { return s.icon && s.welcome; }, &seen))
        << "no tray icon and welcome window on a first start; " << failure();
    const QRect icon = *seen.icon;
    const QPoint welcome = seen.welcome->topLeft();

    // Three pages on (each click moves the lime page dot), the last one fires a celebration across the
    // screen.
    const quint64 welcomeWindow = seen.welcomeWindow;
    std::optional<int> dot;
    ASSERT_TRUE(XTraySession::waitFor([&] {
        return (dot = currentPageDot(x.capture(welcomeWindow))).has_value();
    })) << "no page dots in the welcome window (is xwd installed?)";
    for (int page = 1; page <= 3; ++page) {
        ASSERT_TRUE(x.click(welcome + kWelcomePrimary, 1));
        const int before = *dot;
        ASSERT_TRUE(XTraySession::waitFor([&] {
            dot = currentPageDot(x.capture(welcomeWindow));
            return dot && *dot != before;
        })) << "\"Next\" did not reach page "
            << page;
    }
    ASSERT_TRUE(XTraySession::waitFor([&] { return showsFireButton(x.capture(welcomeWindow)); }))
        << "the last page shows no \"Fire it on my screen\"";
    ASSERT_TRUE(x.click(welcome + kFireButton, 1));
    ASSERT_TRUE(waitToSee([](const Seen& s) { return s.reaction.has_value(); }, &seen))
        << "no celebration on screen after \"Fire it on my screen\"; " << failure();
    EXPECT_TRUE(seen.reaction->intersects(QRect(0, 0, 1280, 800)));

    // "Let's go" closes the welcome window; the reaction window lets the click through.
    ASSERT_TRUE(x.click(welcome + kWelcomePrimary, 1));
    ASSERT_TRUE(waitToSee([](const Seen& s) { return !s.welcome; }))
        << "the welcome window stayed; " << failure();

    ASSERT_TRUE(x.click(icon.center(), 1));
    ASSERT_TRUE(waitToSee([](const Seen& s) { return s.panel.has_value(); }))
        << "no panel after a click on the icon; " << failure();
    ASSERT_TRUE(x.key(QStringLiteral("Escape")));
    ASSERT_TRUE(waitToSee([](const Seen& s) { return !s.panel; })) << "Escape left the panel open";

    // The icon's menu: nothing is selected when it opens, so Up selects its last item, "Quit Zingboard".
    ASSERT_TRUE(x.click(icon.center(), 3));
    ASSERT_TRUE(XTraySession::waitFor([&] { return x.visibleWindows(pid).size() >= 2 || !alive(); }))
        << "no menu after a right click; " << failure();
    ASSERT_TRUE(x.key(QStringLiteral("Up")));
    ASSERT_TRUE(x.key(QStringLiteral("Return")));
    ASSERT_TRUE(program.waitForFinished(20000)) << "still running after Quit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << failure();

    const auto document = [&root](const QString& key) {
        return readFile(root.filePath(QStringLiteral("config/zingboard/") + key + QStringLiteral(".json")));
    };
    EXPECT_TRUE(PersistenceManager::goalsFromBytes(document(PersistenceManager::goalsKey())));
    EXPECT_TRUE(PersistenceManager::triggersFromBytes(document(PersistenceManager::triggersKey())));
    EXPECT_TRUE(PersistenceManager::integrationsFromBytes(document(PersistenceManager::integrationsKey())));
    const std::optional<AppSettings> kept =
        PersistenceManager::settingsFromBytes(document(PersistenceManager::settingsKey()));
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->hasCompletedOnboarding) << "the welcome window's last page did not finish onboarding";
}

} // namespace
