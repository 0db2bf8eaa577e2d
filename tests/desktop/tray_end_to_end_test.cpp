#include "model/app_settings.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/memory_preferences_store.h"
#include "support/x_tray_session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The panel is the only window of its size; the tray icon is the small one in the tray's strip.
constexpr QSize kPanelSize(360, 560);

struct Windows {
    std::optional<quint64> icon;
    std::optional<quint64> panel;
    QList<quint64> others;
};

QByteArray settingsBytes(const AppSettings& settings) {
    MemoryPreferencesStore store;
    FakeClock clock;
    PersistenceManager(store, clock).encodeSettings(settings);
    return store.value(PersistenceManager::settingsKey()).value_or(QByteArray());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Windows classify(const XTraySession& x, qint64 pid) {
    Windows found;
    for (quint64 window : x.visibleWindows(pid)) {
        const std::optional<QRect> rect = x.geometry(window);
        if (!rect)
            continue;
        if (rect->size() == kPanelSize)
            found.panel = window;
        else if (rect->width() <= 64 && rect->height() <= 64 && rect->top() < 40)
            found.icon = window;
        else
            found.others.append(window);
    }
    return found;
}

// The real program in a tray under Xvfb: a click shows the panel, Escape closes it, the context menu's last
// item quits, and the documents it leaves are whole.
TEST(TrayEndToEnd, ClickShowsThePanelAndTheMenuQuitsCleanly) {
    XTraySession x;
    if (!x.isReady())
        GTEST_SKIP() << "no tray session: " << x.problem().toStdString();

    QTemporaryDir root;
    for (const char* folder : {"home", "config/zingboard", "data", "runtime"})
        QDir(root.path()).mkpath(QString::fromUtf8(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Onboarding done, so a click opens the panel rather than the welcome window; the demo source on, so
    // the dashboard has numbers.
    AppSettings settings;
    settings.hasCompletedOnboarding = true;
    settings.demoModeEnabled = true;
    const auto documentPath = [&root](const QString& key) {
        return root.filePath(QStringLiteral("config/zingboard/") + key + QStringLiteral(".json"));
    };
    QFile settingsFile(documentPath(PersistenceManager::settingsKey()));
    ASSERT_TRUE(settingsFile.open(QIODevice::WriteOnly));
    settingsFile.write(settingsBytes(settings));
    settingsFile.close();

    QProcessEnvironment environment = x.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZINGBOARD_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const qint64 pid = program.processId();
    const auto alive = [&program] { return program.state() == QProcess::Running; };
    const auto failure = [&program] { return program.readAllStandardError().toStdString(); };

    Windows seen;
    ASSERT_TRUE(XTraySession::waitFor([&] {
        seen = classify(x, pid);
        return seen.icon.has_value() || !alive();
    }));
    ASSERT_TRUE(seen.icon) << "no tray icon; " << failure();
    ASSERT_FALSE(seen.panel) << "the panel opened without a click";
    const QRect icon = *x.geometry(*seen.icon);

    ASSERT_TRUE(x.click(icon.center(), 1));
    ASSERT_TRUE(XTraySession::waitFor([&] {
        seen = classify(x, pid);
        return seen.panel.has_value() || !alive();
    })) << "no panel after a click; "
        << failure();
    // It opens below the tray, inside the screen.
    const QRect panel = *x.geometry(*seen.panel);
    EXPECT_GE(panel.top(), icon.top());
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(panel)) << panel.x() << "," << panel.y();

    ASSERT_TRUE(x.key(QStringLiteral("Escape")));
    ASSERT_TRUE(XTraySession::waitFor([&] { return !classify(x, pid).panel.has_value(); }))
        << "Escape left the panel open";

    ASSERT_TRUE(x.click(icon.center(), 3));
    ASSERT_TRUE(XTraySession::waitFor([&] {
        seen = classify(x, pid);
        return !seen.others.isEmpty() || !alive();
    })) << "no context menu after a right click; "
        << failure();
    EXPECT_FALSE(seen.panel) << "a right click opened the panel";
    // Nothing is selected when the menu opens, so Up selects its last item, "Quit Zingboard".
    ASSERT_TRUE(x.key(QStringLiteral("Up")));
    ASSERT_TRUE(x.key(QStringLiteral("Return")));
    ASSERT_TRUE(program.waitForFinished(20000)) << "still running after Quit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << failure();

    // Every document is there and reads back.
    EXPECT_TRUE(PersistenceManager::goalsFromBytes(readFile(documentPath(PersistenceManager::goalsKey()))));
    EXPECT_TRUE(
        PersistenceManager::triggersFromBytes(readFile(documentPath(PersistenceManager::triggersKey()))));
    EXPECT_TRUE(PersistenceManager::integrationsFromBytes(
        readFile(documentPath(PersistenceManager::integrationsKey()))));
    const std::optional<AppSettings> kept =
        PersistenceManager::settingsFromBytes(readFile(documentPath(PersistenceManager::settingsKey())));
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->demoModeEnabled);
    EXPECT_TRUE(kept->hasCompletedOnboarding);
}

} // namespace
