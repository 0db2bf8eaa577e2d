#include "app/screens/settings/autostart_entry.h"

#include "app/app_identity.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(AutostartEntry, SwitchCreatesAndRemovesTheEntryForTheRunningProgram) {
    QTemporaryDir config;
    const QString folder = config.filePath(QStringLiteral("autostart"));
    const AutostartEntry entry(folder, QStringLiteral("/usr/bin/zingboard"));
    EXPECT_EQ(entry.filePath(), folder + QStringLiteral("/com.zingboard.Zingboard.desktop"));
    EXPECT_FALSE(entry.isEnabled());

    // The folder does not exist yet: switching on makes it.
    EXPECT_EQ(entry.setEnabled(true), std::nullopt);
    EXPECT_TRUE(entry.isEnabled());
    const QByteArray text = readAll(entry.filePath());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nType=Application\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nExec=/usr/bin/zingboard\n")) << text.constData();

    EXPECT_EQ(entry.setEnabled(false), std::nullopt);
    EXPECT_FALSE(QFile::exists(entry.filePath()));
    EXPECT_FALSE(entry.isEnabled());
    // Switching off when there is nothing to remove is not an error.
    EXPECT_EQ(entry.setEnabled(false), std::nullopt);
}

TEST(AutostartEntry, ReadsEntriesMadeByHand) {
    const struct {
        const char* name;
        QByteArray text;
        bool enabled;
    } cases[] = {
        {"plain", "[Desktop Entry]\nType=Application\nExec=zingboard\n", true},
        {"hidden means deleted", "[Desktop Entry]\nExec=zingboard\nHidden=true\n", false},
        {"switched off in GNOME", "[Desktop Entry]\nExec=zingboard\nX-GNOME-Autostart-enabled=false\n",
         false},
        {"spaces around the key", "[Desktop Entry]\nExec=zingboard\nHidden = true\n", false},
        {"hidden=false", "[Desktop Entry]\nExec=zingboard\nHidden=false\n", true},
        {"key of another group", "[Desktop Entry]\nExec=zingboard\n[Desktop Action x]\nHidden=true\n", true},
        {"commented out", "[Desktop Entry]\nExec=zingboard\n# Hidden=true\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir config;
        const AutostartEntry entry(config.path(), QStringLiteral("/usr/bin/zingboard"));
        writeFile(entry.filePath(), c.text);
        EXPECT_EQ(entry.isEnabled(), c.enabled);
        // Switching on replaces a disabled entry with a working one.
        EXPECT_EQ(entry.setEnabled(true), std::nullopt);
        EXPECT_TRUE(entry.isEnabled());
    }
}

TEST(AutostartEntry, ExecutablePathsAreQuotedAsOneArgument) {
    const struct {
        QString path;
        QString exec;
    } cases[] = {
        {QStringLiteral("/usr/bin/zingboard"), QStringLiteral("/usr/bin/zingboard")},
        {QStringLiteral("/home/a b/zingboard"), QStringLiteral("\"/home/a b/zingboard\"")},
        {QStringLiteral("/opt/100%/zingboard"), QStringLiteral("/opt/100%%/zingboard")},
        {QStringLiteral("/opt/$x\"y/z"), QStringLiteral("\"/opt/\\\\$x\\\\\"y/z\"")},
        {QStringLiteral("/opt/a\\b"), QStringLiteral("\"/opt/a\\\\\\\\b\"")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutostartEntry::execArgument(c.path), c.exec) << c.path.toStdString();
}

TEST(AutostartEntry, FailureToWriteIsReportedAndChangesNothing) {
    QTemporaryDir config;
    // A file where the autostart folder should be.
    const QString blocker = config.filePath(QStringLiteral("autostart"));
    writeFile(blocker, "not a folder");
    const AutostartEntry entry(blocker, QStringLiteral("/usr/bin/zingboard"));
    const std::optional<QString> error = entry.setEnabled(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(blocker)) << error->toStdString();
    EXPECT_FALSE(entry.isEnabled());
}

// The template installed for packagers and the entry the switch writes for a program on the PATH are one
// and the same, so an edit to either shows here.
TEST(AutostartEntryTest, InstalledTemplateIsWhatTheSwitchWritesForTheProgramOnThePath) {
    const QString installed = QStringLiteral(ZINGBOARD_BINARY_DIR "/desktop/autostart/") +
                              AppIdentity::applicationId() + QStringLiteral(".desktop");
    ASSERT_TRUE(QFile::exists(installed)) << installed.toStdString();
    EXPECT_EQ(QString::fromUtf8(readAll(installed)), AutostartEntry::content(QStringLiteral("zingboard")));
}

} // namespace
