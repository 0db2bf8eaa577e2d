#include "engine_on_disk.h"
#include "support/run_task.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray sha256(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QByteArray();
    return hash.result();
}

const QStringList& documentKeys() {
    static const QStringList keys = {PersistenceManager::settingsKey(), PersistenceManager::goalsKey(),
                                     PersistenceManager::triggersKey(),
                                     PersistenceManager::integrationsKey()};
    return keys;
}

bool decodes(const QString& key, const QByteArray& bytes) {
    if (key == PersistenceManager::settingsKey())
        return PersistenceManager::settingsFromBytes(bytes).has_value();
    if (key == PersistenceManager::goalsKey())
        return PersistenceManager::goalsFromBytes(bytes).has_value();
    if (key == PersistenceManager::triggersKey())
        return PersistenceManager::triggersFromBytes(bytes).has_value();
    return PersistenceManager::integrationsFromBytes(bytes).has_value();
}

// A soft limit on the size of any file this process writes, as a full disk would impose; writes beyond it
// fail with an error instead of a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

enum class Obstacle { directory, hugeFile, invalidUtf8, cutShort };

struct ObstacleCase {
    const char* name;
    Obstacle obstacle;
};

void PrintTo(const ObstacleCase& c, std::ostream* os) {
    *os << c.name;
}

class DiskFaultTest : public ::testing::Test {
protected:
    QString folder() const { return m_dir.path() + QStringLiteral("/zingboard"); }
    QString documentPath(const QString& key) const {
        return folder() + QLatin1Char('/') + key + QStringLiteral(".json");
    }

    // A first run that stored all four documents with a user's edits.
    void storeGoodDocuments() {
        EngineOnDisk first(folder());
        AppState& engine = first.start();
        AppSettings settings = engine.settings();
        settings.demoModeEnabled = true;
        settings.pollIntervalSeconds = 45;
        engine.setSettings(settings);
        QList<Goal> goals = engine.goals();
        ASSERT_FALSE(goals.isEmpty());
        goals.first().name = QStringLiteral("Mine, édité");
        goals.first().targetValue = 1234;
        engine.setGoals(goals);
        engine.saveAll();
        for (const QString& key : documentKeys()) {
            m_good[key] = readAll(documentPath(key));
            ASSERT_TRUE(decodes(key, m_good[key])) << key.toStdString();
        }
    }

    // Files of the folder other than the four documents and their kept copies.
    QStringList strayFiles() const {
        QStringList stray;
        for (const QString& name :
             QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            bool known = false;
            for (const QString& key : documentKeys())
                known = known || name == key + QStringLiteral(".json") ||
                        name.startsWith(key + QStringLiteral(".unreadable-"));
            if (!known)
                stray.append(name);
        }
        return stray;
    }

    QStringList keptCopies(const QString& key) const {
        return QDir(folder()).entryList({key + QStringLiteral(".unreadable-*.json")}, QDir::Files,
                                        QDir::Name);
    }

    QTemporaryDir m_dir;
    QHash<QString, QByteArray> m_good;
};

class ObstacleTest : public DiskFaultTest,
                     public ::testing::WithParamInterface<std::tuple<int, ObstacleCase>> {
protected:
    QString key() const { return documentKeys().at(std::get<0>(GetParam())); }
    Obstacle obstacle() const { return std::get<1>(GetParam()).obstacle; }
};

TEST_P(ObstacleTest, EngineRunsOnAndNoDocumentIsLost) {
    storeGoodDocuments();
    const QString path = documentPath(key());
    ASSERT_TRUE(QFile::remove(path));
    QByteArray badBytes;
    switch (obstacle()) {
    case Obstacle::directory:
        ASSERT_TRUE(QDir().mkpath(path));
        writeAll(path + QStringLiteral("/inside.txt"), "user's file");
        break;
    case Obstacle::hugeFile: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write(m_good[key()]) > 0);
        ASSERT_TRUE(file.resize(FilePreferencesStore::maximumValueSize + 4096));
        break;
    }
    case Obstacle::invalidUtf8:
        badBytes = m_good[key()];
        badBytes.insert(badBytes.size() / 2, QByteArray("\xff\xfe\xc3\x28\xed\xa0\x80", 7));
        writeAll(path, badBytes);
        break;
    case Obstacle::cutShort:
        badBytes = m_good[key()].left(m_good[key()].size() / 2);
        writeAll(path, badBytes);
        break;
    }
    const QByteArray obstacleHash = obstacle() == Obstacle::directory ? QByteArray() : sha256(path);

    EngineOnDisk second(folder());
    AppState& engine = second.start();
    engine.saveAll();
    TestTasks::run(engine.pollOnce());
    engine.saveAll();
    EXPECT_TRUE(engine.lastPollAt().has_value());

    // The three other documents came through the second run unchanged.
    for (const QString& other : documentKeys()) {
        if (other != key()) {
            EXPECT_EQ(readAll(documentPath(other)), m_good[other]) << other.toStdString();
        }
    }
    if (obstacle() == Obstacle::directory) {
        // Whatever is in the way stays as it was; nothing is written around it.
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_EQ(readAll(path + QStringLiteral("/inside.txt")), QByteArray("user's file"));
        EXPECT_TRUE(keptCopies(key()).isEmpty());
    } else {
        // The unreadable bytes are kept whole beside the new document, once, however often it was saved.
        const QStringList copies = keptCopies(key());
        ASSERT_EQ(copies.size(), 1) << copies.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(sha256(folder() + QLatin1Char('/') + copies.first()), obstacleHash);
        EXPECT_TRUE(decodes(key(), readAll(path)));
    }
    EXPECT_TRUE(strayFiles().isEmpty()) << strayFiles().join(QLatin1Char(' ')).toStdString();
}

std::string obstacleName(const ::testing::TestParamInfo<std::tuple<int, ObstacleCase>>& info) {
    const QString key = documentKeys().at(std::get<0>(info.param)).section(QLatin1Char('.'), 1);
    return key.toStdString() + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Documents, ObstacleTest,
                         ::testing::Combine(::testing::Range(0, 4),
                                            ::testing::Values(ObstacleCase{"directory", Obstacle::directory},
                                                              ObstacleCase{"hugeFile", Obstacle::hugeFile},
                                                              ObstacleCase{"invalidUtf8",
                                                                           Obstacle::invalidUtf8},
                                                              ObstacleCase{"cutShort", Obstacle::cutShort})),
                         obstacleName);

TEST_F(DiskFaultTest, FullDiskKeepsEveryDocumentWholeAndTheNextSaveSucceeds) {
    storeGoodDocuments();
    EngineOnDisk second(folder());
    AppState& engine = second.start();
    QList<Goal> goals = engine.goals();
    goals.append(goals.first());
    goals.last().id = QUuid::createUuid();
    goals.last().name = QString(4096, QLatin1Char('x'));
    {
        // Smaller than any of the documents: every write fails part-way.
        FileSizeLimit full(16);
        engine.setGoals(goals);
        engine.saveAll();
        TestTasks::run(engine.pollOnce());
        engine.saveAll();
    }
    for (const QString& key : documentKeys())
        EXPECT_EQ(readAll(documentPath(key)), m_good[key]) << key.toStdString();
    EXPECT_TRUE(strayFiles().isEmpty()) << strayFiles().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(engine.goals(), goals);

    // Space again: the edits reach the disk.
    engine.saveAll();
    EXPECT_EQ(second.persistence.decodeGoals(), goals);
}

TEST_F(DiskFaultTest, FullDiskNeverCostsAnUnreadableDocument) {
    storeGoodDocuments();
    const QByteArray unreadable = QByteArray("[{\"id\": \"not finished");
    writeAll(documentPath(PersistenceManager::triggersKey()), unreadable);
    {
        FileSizeLimit full(8);
        EngineOnDisk second(folder());
        second.start().saveAll();
    }
    // Neither the copy nor the replacement could be written: the old bytes stay where they were, and no cut
    // copy poses as a kept one.
    EXPECT_EQ(readAll(documentPath(PersistenceManager::triggersKey())), unreadable);
    for (const QString& copy : keptCopies(PersistenceManager::triggersKey()))
        EXPECT_EQ(readAll(folder() + QLatin1Char('/') + copy), unreadable) << copy.toStdString();
    EXPECT_TRUE(strayFiles().isEmpty()) << strayFiles().join(QLatin1Char(' ')).toStdString();
}

TEST_F(DiskFaultTest, ConfigFolderThatCannotBeCreatedLeavesTheEngineRunning) {
    // A file where the folder should be: nothing under it can be created, as with a read-only parent.
    writeAll(folder(), "not a folder");
    EngineOnDisk run(folder());
    AppState& engine = run.start();
    EXPECT_EQ(engine.settings(), AppSettings::defaults());
    AppSettings settings = engine.settings();
    settings.demoModeEnabled = true;
    engine.setSettings(settings);
    engine.saveAll();
    TestTasks::run(engine.pollOnce());
    EXPECT_TRUE(engine.snapshots().contains(IntegrationProvider::demo));
    EXPECT_EQ(engine.lastError(), std::nullopt);
    EXPECT_EQ(readAll(folder()), QByteArray("not a folder"));
}

constexpr char readOnlyFolderVariable[] = "ZINGBOARD_HARDENING_READ_ONLY_FOLDER";

// Runs only as the child of the test below, in a process that cannot write to the folder.
TEST(ReadOnlyConfigFolder, ChildProcessBody) {
    const QString folder = qEnvironmentVariable(readOnlyFolderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of ReadOnlyConfigFolderLeavesDocumentsAndEngineAlone";
    QFile probe(folder + QStringLiteral("/probe"));
    ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the folder is writable: the fault is not in place";

    EngineOnDisk run(folder);
    AppState& engine = run.start();
    ASSERT_TRUE(engine.settings().demoModeEnabled) << "the stored settings were not read";
    AppSettings settings = engine.settings();
    settings.pollIntervalSeconds = 90;
    engine.setSettings(settings);
    QList<Goal> goals = engine.goals();
    goals.removeFirst();
    engine.setGoals(goals);
    engine.saveAll();
    TestTasks::run(engine.pollOnce());
    engine.saveAll();
    // The edits live on in memory; the poll went through.
    EXPECT_EQ(engine.settings().pollIntervalSeconds, 90);
    EXPECT_EQ(engine.goals(), goals);
    EXPECT_TRUE(engine.snapshots().contains(IntegrationProvider::demo));
    EXPECT_EQ(engine.lastError(), std::nullopt);
}

TEST_F(DiskFaultTest, ReadOnlyConfigFolderLeavesDocumentsAndEngineAlone) {
    storeGoodDocuments();
    // One document is unreadable too: with nowhere to keep its bytes, it must stay where it is.
    const QByteArray unreadable = m_good[PersistenceManager::triggersKey()].left(40);
    writeAll(documentPath(PersistenceManager::triggersKey()), unreadable);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(folder(), readOnly));

    // Root writes through any mode bits; the child then runs as root without capabilities, so only the
    // owner's (read-only) bits apply.
    QStringList command{QCoreApplication::applicationFilePath(),
                        QStringLiteral("--gtest_filter=ReadOnlyConfigFolder.ChildProcessBody")};
    if (geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "running as root needs setpriv to drop the capabilities";
        command = QStringList{setpriv, QStringLiteral("--bounding-set=-all"),
                              QStringLiteral("--inh-caps=-all"), QStringLiteral("--")} +
                  command;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(readOnlyFolderVariable), folder());
    child.setProcessEnvironment(env);
    child.start(command.takeFirst(), command);
    const bool finished = child.waitForFinished(60000);
    QFile::setPermissions(folder(), readOnly | QFile::WriteOwner);
    ASSERT_TRUE(finished) << "the engine hung on the read-only folder";
    const QByteArray output = child.readAllStandardOutput();
    EXPECT_EQ(child.exitCode(), 0) << output.constData() << child.readAllStandardError().constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test.")) << output.constData();

    for (const QString& key : documentKeys()) {
        EXPECT_EQ(readAll(documentPath(key)),
                  key == PersistenceManager::triggersKey() ? unreadable : m_good[key])
            << key.toStdString();
        EXPECT_TRUE(keptCopies(key).isEmpty()) << key.toStdString();
    }
    EXPECT_TRUE(strayFiles().isEmpty()) << strayFiles().join(QLatin1Char(' ')).toStdString();
}

} // namespace
