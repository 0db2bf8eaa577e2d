#include "model/app_settings.h"
#include "model/persistence_manager.h"
#include "status_notifier_watcher.h"
#include "support/fake_clock.h"
#include "support/memory_preferences_store.h"
#include "support/private_session_bus.h"
#include "support/x_tray_session.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr QSize kPanelSize(360, 560);
const QString kItemInterface = QStringLiteral("org.kde.StatusNotifierItem");

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A session bus of the test's own, so no other test's tray program finds the watcher.
class PrivateBus {
public:
    explicit PrivateBus(const QString& folder) : m_bus(folder) {}
    ~PrivateBus() { QDBusConnection::disconnectFromBus(QStringLiteral("zingboard-sni-test")); }
    QString address() const { return m_bus.address(); }
    QDBusConnection connection() const {
        return QDBusConnection::connectToBus(address(), QStringLiteral("zingboard-sni-test"));
    }

private:
    PrivateSessionBus m_bus;
};

// One entry of a com.canonical.dbusmenu layout and its children.
struct MenuEntry {
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

MenuEntry readEntry(const QDBusArgument& argument) {
    MenuEntry entry;
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        entry.children.append(readEntry(child.variant().value<QDBusArgument>()));
    }
    argument.endArray();
    argument.endStructure();
    return entry;
}

std::optional<int> findLabel(const MenuEntry& entry, const QString& label) {
    QString text = entry.properties.value(QStringLiteral("label")).toString();
    text.remove(QLatin1Char('_')).remove(QLatin1Char('&'));
    if (text == label)
        return entry.id;
    for (const MenuEntry& child : entry.children) {
        if (const std::optional<int> found = findLabel(child, label))
            return found;
    }
    return std::nullopt;
}

// With a StatusNotifierItem host instead of an XEmbed tray: the program announces its item to the watcher,
// activating the item opens the panel, and the exported menu's "Quit Zingboard" ends it cleanly.
TEST(StatusNotifierEndToEnd, ItemIsAnnouncedActivationShowsThePanelAndTheMenuQuits) {
    XTraySession x;
    if (!x.isReady())
        GTEST_SKIP() << "no X session: " << x.problem().toStdString();
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    QTemporaryDir busFolder;
    PrivateBus bus(busFolder.path());
    ASSERT_FALSE(bus.address().isEmpty()) << "no private session bus";
    QDBusConnection connection = bus.connection();
    ASSERT_TRUE(connection.isConnected());
    StatusNotifierWatcher watcher(connection);
    ASSERT_TRUE(watcher.isServing());

    QTemporaryDir root;
    for (const char* folder : {"home", "config/zingboard", "data", "runtime"})
        QDir(root.path()).mkpath(QString::fromUtf8(folder));
    QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto documentPath = [&root](const QString& key) {
        return root.filePath(QStringLiteral("config/zingboard/") + key + QStringLiteral(".json"));
    };
    {
        AppSettings settings;
        settings.hasCompletedOnboarding = true;
        settings.demoModeEnabled = true;
        MemoryPreferencesStore store;
        FakeClock clock;
        PersistenceManager(store, clock).encodeSettings(settings);
        QFile file(documentPath(PersistenceManager::settingsKey()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(store.value(PersistenceManager::settingsKey()).value_or(QByteArray()));
    }

    QProcessEnvironment environment = x.environment(QProcessEnvironment::systemEnvironment());
    environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZINGBOARD_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    const qint64 pid = program.processId();
    const auto alive = [&program] { return program.state() == QProcess::Running; };
    const auto failure = [&program] { return program.readAllStandardError().toStdString(); };

    ASSERT_TRUE(XTraySession::waitFor([&] { return !watcher.itemServices().isEmpty() || !alive(); }) &&
                alive())
        << "no item announced to the watcher; " << failure();
    const QString service = watcher.itemServices().first();
    ASSERT_FALSE(service.isEmpty());
    const auto panelShown = [&] {
        for (quint64 window : x.visibleWindows(pid)) {
            const std::optional<QRect> rect = x.geometry(window);
            if (rect && rect->size() == kPanelSize)
                return true;
        }
        return false;
    };
    // The icon lives with the host, not in a window of its own, and nothing opened by itself.
    EXPECT_TRUE(x.visibleWindows(pid).isEmpty());

    QDBusMessage activate = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
                                                           kItemInterface, QStringLiteral("Activate"));
    activate << 1200 << 16;
    connection.asyncCall(activate);
    ASSERT_TRUE(XTraySession::waitFor([&] { return panelShown() || !alive(); }) && alive())
        << "no panel after activating the item; " << failure();

    // The host draws the menu the item exports; a click on an entry comes back as a "clicked" event.
    QDBusMessage menuProperty = QDBusMessage::createMethodCall(
        service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    menuProperty << kItemInterface << QStringLiteral("Menu");
    const QDBusMessage menuReply = connection.call(menuProperty);
    ASSERT_EQ(menuReply.type(), QDBusMessage::ReplyMessage) << menuReply.errorMessage().toStdString();
    const QString menuPath =
        qvariant_cast<QDBusVariant>(menuReply.arguments().value(0)).variant().value<QDBusObjectPath>().path();
    ASSERT_FALSE(menuPath.isEmpty());
    const QString menuInterface = QStringLiteral("com.canonical.dbusmenu");
    QDBusMessage layout =
        QDBusMessage::createMethodCall(service, menuPath, menuInterface, QStringLiteral("GetLayout"));
    layout << 0 << -1 << QStringList();
    const QDBusMessage layoutReply = connection.call(layout);
    ASSERT_EQ(layoutReply.type(), QDBusMessage::ReplyMessage) << layoutReply.errorMessage().toStdString();
    ASSERT_EQ(layoutReply.arguments().size(), 2);
    const MenuEntry menu = readEntry(layoutReply.arguments().at(1).value<QDBusArgument>());
    const std::optional<int> quit = findLabel(menu, QStringLiteral("Quit Zingboard"));
    ASSERT_TRUE(quit) << "no \"Quit Zingboard\" in the exported menu";

    QDBusMessage click =
        QDBusMessage::createMethodCall(service, menuPath, menuInterface, QStringLiteral("Event"));
    click << *quit << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
    connection.asyncCall(click);
    ASSERT_TRUE(program.waitForFinished(20000)) << "still running after Quit";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << failure();

    EXPECT_TRUE(PersistenceManager::goalsFromBytes(readFile(documentPath(PersistenceManager::goalsKey()))));
    EXPECT_TRUE(
        PersistenceManager::triggersFromBytes(readFile(documentPath(PersistenceManager::triggersKey()))));
    EXPECT_TRUE(PersistenceManager::integrationsFromBytes(
        readFile(documentPath(PersistenceManager::integrationsKey()))));
    const std::optional<AppSettings> kept =
        PersistenceManager::settingsFromBytes(readFile(documentPath(PersistenceManager::settingsKey())));
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->demoModeEnabled);
}

} // namespace
