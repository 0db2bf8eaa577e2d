#include "model/file_preferences_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class FilePreferencesStoreTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + QStringLiteral("/zingboard"); }
};

} // namespace

TEST_F(FilePreferencesStoreTest, DefaultFolderFollowsXdgConfigHome) {
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    EXPECT_EQ(FilePreferencesStore::defaultFolder(), m_dir.path() + QStringLiteral("/zingboard"));
    qputenv("XDG_CONFIG_HOME", previous);
}

TEST_F(FilePreferencesStoreTest, AbsentKeyReadsAsNothingAndCreatesNothing) {
    FilePreferencesStore store(folder());
    EXPECT_FALSE(store.value(QStringLiteral("zingboard.settings")).has_value());
    EXPECT_FALSE(store.contains(QStringLiteral("zingboard.settings")));
    EXPECT_TRUE(store.keys().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

TEST_F(FilePreferencesStoreTest, WritesExactlyTheBytesToOneFilePerKey) {
    FilePreferencesStore store(folder());
    const QByteArray first("{\"a\":1}");
    const QByteArray second = QByteArray("[]\n\xff", 4); // stored as given, decoded or not
    ASSERT_TRUE(store.setValue(QStringLiteral("zingboard.goals"), first));
    ASSERT_TRUE(store.setValue(QStringLiteral("zingboard.goals"), second));
    EXPECT_EQ(readFile(folder() + QStringLiteral("/zingboard.goals.json")), second);
    EXPECT_EQ(store.value(QStringLiteral("zingboard.goals")), second);
    ASSERT_TRUE(store.setValue(QStringLiteral("zingboard.triggers"), QByteArray()));
    EXPECT_EQ(store.value(QStringLiteral("zingboard.triggers")), QByteArray());
    // No temporary files left behind.
    EXPECT_EQ(entries(folder()), (QStringList{QStringLiteral("zingboard.goals.json"),
                                              QStringLiteral("zingboard.triggers.json")}));
    EXPECT_EQ(store.keys(),
              (QStringList{QStringLiteral("zingboard.goals"), QStringLiteral("zingboard.triggers")}));
}

TEST_F(FilePreferencesStoreTest, FailedWriteKeepsTheOldDocumentWhole) {
    FilePreferencesStore store(folder());
    const QByteArray old("{\"old\":true}");
    ASSERT_TRUE(store.setValue(QStringLiteral("zingboard.settings"), old));

    // As root no permission stops a write, but a file-size limit does, half-way through the new document.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = store.setValue(QStringLiteral("zingboard.settings"), QByteArray(256 * 1024, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(store.value(QStringLiteral("zingboard.settings")), old);
    EXPECT_EQ(entries(folder()), QStringList{QStringLiteral("zingboard.settings.json")});
}

TEST_F(FilePreferencesStoreTest, DirectoryInPlaceOfTheFileIsUnreadableAndUntouched) {
    FilePreferencesStore store(folder());
    const QString path = folder() + QStringLiteral("/zingboard.settings.json");
    ASSERT_TRUE(QDir().mkpath(path));
    writeFile(path + QStringLiteral("/inside"), "keep");

    EXPECT_FALSE(store.value(QStringLiteral("zingboard.settings")).has_value());
    EXPECT_TRUE(store.contains(QStringLiteral("zingboard.settings")));
    EXPECT_FALSE(store.setValue(QStringLiteral("zingboard.settings"), "{}"));
    EXPECT_FALSE(store.copyValue(QStringLiteral("zingboard.settings"), QStringLiteral("copy")));
    EXPECT_FALSE(store.remove(QStringLiteral("zingboard.settings")));
    EXPECT_EQ(readFile(path + QStringLiteral("/inside")), QByteArray("keep"));
    EXPECT_TRUE(store.keys().isEmpty());
}

TEST_F(FilePreferencesStoreTest, PipeInPlaceOfTheFileReadsAsUnreadableWithoutBlocking) {
    FilePreferencesStore store(folder());
    ASSERT_TRUE(QDir().mkpath(folder()));
    const QString path = folder() + QStringLiteral("/zingboard.goals.json");
    ASSERT_EQ(::mkfifo(path.toUtf8().constData(), 0600), 0); // opening it for reading would wait for a writer
    EXPECT_FALSE(store.value(QStringLiteral("zingboard.goals")).has_value());
    EXPECT_TRUE(store.contains(QStringLiteral("zingboard.goals")));
    EXPECT_FALSE(store.copyValue(QStringLiteral("zingboard.goals"), QStringLiteral("copy")));
}

TEST_F(FilePreferencesStoreTest, OversizedDocumentIsUnreadableButCopiesWhole) {
    FilePreferencesStore store(folder());
    ASSERT_TRUE(QDir().mkpath(folder()));
    const QString path = folder() + QStringLiteral("/zingboard.goals.json");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(FilePreferencesStore::maximumValueSize + 1)); // sparse, cheap
    }
    EXPECT_FALSE(store.value(QStringLiteral("zingboard.goals")).has_value());
    EXPECT_TRUE(store.contains(QStringLiteral("zingboard.goals")));
    ASSERT_TRUE(store.copyValue(QStringLiteral("zingboard.goals"), QStringLiteral("zingboard.goals.copy")));
    EXPECT_EQ(QFileInfo(folder() + QStringLiteral("/zingboard.goals.copy.json")).size(),
              FilePreferencesStore::maximumValueSize + 1);

    // Exactly at the limit still reads.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(FilePreferencesStore::maximumValueSize));
    }
    EXPECT_EQ(store.value(QStringLiteral("zingboard.goals"))->size(), FilePreferencesStore::maximumValueSize);
}

TEST_F(FilePreferencesStoreTest, CopyNeverOverwritesAndRemoveDeletesOnlyTheKey) {
    FilePreferencesStore store(folder());
    ASSERT_TRUE(store.setValue(QStringLiteral("a"), "1"));
    ASSERT_TRUE(store.setValue(QStringLiteral("b"), "2"));
    EXPECT_FALSE(store.copyValue(QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_FALSE(store.copyValue(QStringLiteral("missing"), QStringLiteral("c")));
    EXPECT_EQ(store.value(QStringLiteral("b")), QByteArray("2"));
    EXPECT_TRUE(store.remove(QStringLiteral("a")));
    EXPECT_FALSE(store.remove(QStringLiteral("a")));
    EXPECT_EQ(store.keys(), QStringList{QStringLiteral("b")});
}

TEST_F(FilePreferencesStoreTest, KeysThatWouldLeaveTheFolderAreRefused) {
    FilePreferencesStore store(folder());
    for (const QString& key : {QStringLiteral("../escape"), QStringLiteral("a/b"), QStringLiteral(".hidden"),
                               QString(), QStringLiteral("..")}) {
        EXPECT_TRUE(store.pathFor(key).isEmpty()) << key.toStdString();
        EXPECT_FALSE(store.setValue(key, "x")) << key.toStdString();
        EXPECT_FALSE(store.value(key).has_value()) << key.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.path() + QStringLiteral("/escape.json")));
}

TEST_F(FilePreferencesStoreTest, FolderThatIsAFileFailsQuietly) {
    writeFile(folder(), "not a folder");
    FilePreferencesStore store(folder());
    EXPECT_FALSE(store.setValue(QStringLiteral("zingboard.settings"), "{}"));
    EXPECT_FALSE(store.value(QStringLiteral("zingboard.settings")).has_value());
    EXPECT_TRUE(store.keys().isEmpty());
}
