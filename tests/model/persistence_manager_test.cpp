#include "model/file_preferences_store.h"
#include "model/json_conventions.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/memory_preferences_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kSettings = QStringLiteral("zingboard.settings");
const QString kGoals = QStringLiteral("zingboard.goals");
const QString kTriggers = QStringLiteral("zingboard.triggers");
const QString kIntegrations = QStringLiteral("zingboard.integrations");

QStringList copiesOf(PreferencesStore& store, const QString& key) {
    QStringList result;
    for (const QString& k : store.keys()) {
        if (k.startsWith(key + QStringLiteral(".unreadable-")))
            result.append(k);
    }
    return result;
}

class PersistenceManagerTest : public ::testing::Test {
protected:
    MemoryPreferencesStore m_store;
    FakeClock m_clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0), Qt::UTC)};
    PersistenceManager m_manager{m_store, m_clock};
};

} // namespace

TEST_F(PersistenceManagerTest, FirstRunReadsNothingAndWritesNothing) {
    EXPECT_FALSE(m_manager.decodeSettings().has_value());
    EXPECT_FALSE(m_manager.decodeGoals().has_value());
    EXPECT_FALSE(m_manager.decodeTriggers().has_value());
    const auto integrations = m_manager.loadIntegrations();
    ASSERT_EQ(integrations.size(), 4);
    const IntegrationProvider order[] = {IntegrationProvider::stripe, IntegrationProvider::googleAnalytics,
                                         IntegrationProvider::datafast,
                                         IntegrationProvider::googleSearchConsole};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(integrations[i], IntegrationConnection::disconnected(order[i]));
    EXPECT_EQ(PersistenceManager::defaultGoals().size(), 2);
    EXPECT_EQ(PersistenceManager::defaultTriggers().size(), 4);
    EXPECT_EQ(m_store.writeAttempts(), 0);
    EXPECT_TRUE(m_store.values().isEmpty());
}

TEST_F(PersistenceManagerTest, AllFourDocumentsRoundTripUnderTheirKeys) {
    AppSettings settings;
    settings.pollIntervalSeconds = 5;
    auto goals = PersistenceManager::defaultGoals();
    goals[0].lastTriggeredAt = QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0, 250), Qt::UTC);
    const auto triggers = PersistenceManager::defaultTriggers();
    QList<IntegrationConnection> integrations = PersistenceManager::defaultIntegrations();
    integrations[1] = {IntegrationProvider::googleAnalytics, true, QStringLiteral("My shop"), m_clock.now()};

    m_manager.encodeSettings(settings);
    m_manager.encodeGoals(goals);
    m_manager.encodeTriggers(triggers);
    m_manager.encodeIntegrations(integrations);

    EXPECT_EQ(m_store.values().keys(), (QList<QString>{kGoals, kIntegrations, kSettings, kTriggers}));
    EXPECT_EQ(m_manager.decodeSettings(), settings);
    EXPECT_EQ(m_manager.decodeGoals(), goals);
    EXPECT_EQ(m_manager.decodeTriggers(), triggers);
    EXPECT_EQ(m_manager.loadIntegrations(), integrations);
    EXPECT_EQ(m_store.values().value(kSettings), JsonConventions::compact(settings.toJson()));
    EXPECT_TRUE(copiesOf(m_store, kSettings).isEmpty());
}

TEST_F(PersistenceManagerTest, DocumentsThatDoNotDecodeReadAsNothing) {
    const QByteArray goodGoal = JsonConventions::compact(PersistenceManager::defaultGoals()[0].toJson());
    QJsonObject badGoal = PersistenceManager::defaultGoals()[1].toJson();
    badGoal.insert(QStringLiteral("provider"), QStringLiteral("futureProvider"));
    const QByteArray oneBad =
        JsonConventions::compact(QJsonArray{QJsonDocument::fromJson(goodGoal).object(), badGoal});

    const QByteArray cases[] = {
        "",
        "not json",
        "{}",                        // object where a list belongs
        "[1]",                       // element of the wrong type
        oneBad,                      // one bad record costs the whole list
        "[] trailing",               // garbage after the document
        QByteArray("[\"\xff\"]", 5), // not UTF-8
    };
    for (const QByteArray& bytes : cases) {
        m_store.setValue(kGoals, bytes);
        m_store.setValue(kTriggers, bytes);
        m_store.setValue(kIntegrations, bytes);
        EXPECT_FALSE(m_manager.decodeGoals().has_value()) << bytes.constData();
        EXPECT_FALSE(m_manager.decodeTriggers().has_value()) << bytes.constData();
        EXPECT_EQ(m_manager.loadIntegrations(), PersistenceManager::defaultIntegrations())
            << bytes.constData();
    }
    m_store.setValue(kGoals, "[" + goodGoal + "]");
    EXPECT_EQ(m_manager.decodeGoals()->size(), 1);
    m_store.setValue(kSettings, "[]");
    EXPECT_FALSE(m_manager.decodeSettings().has_value());
    // Reading never writes, not even a copy of what could not be read.
    const int writes = m_store.writeAttempts();
    m_manager.decodeSettings();
    EXPECT_EQ(m_store.writeAttempts(), writes);
    EXPECT_TRUE(copiesOf(m_store, kSettings).isEmpty());
}

TEST_F(PersistenceManagerTest, EmptyListsAreStoredAndReadAsEmpty) {
    m_manager.encodeGoals({});
    EXPECT_EQ(m_store.values().value(kGoals), QByteArray("[]"));
    EXPECT_EQ(m_manager.decodeGoals(), QList<Goal>{});
}

TEST_F(PersistenceManagerTest, UnreadableDocumentIsCopiedBeforeTheFirstSaveOnly) {
    const QByteArray broken = QByteArray("{\"hasCompletedOnboarding\":true, \xc3\x28 oops");
    m_store.setValue(kSettings, broken);
    ASSERT_FALSE(m_manager.decodeSettings().has_value());

    m_manager.encodeSettings(AppSettings::defaults());
    const QString copy = QStringLiteral("zingboard.settings.unreadable-20261207T100000");
    EXPECT_EQ(copiesOf(m_store, kSettings), QStringList{copy});
    EXPECT_EQ(m_store.values().value(copy), broken);
    EXPECT_EQ(m_manager.decodeSettings(), AppSettings::defaults());

    // The document now reads, so later saves replace it without more copies.
    m_clock.advanceSeconds(60);
    AppSettings changed;
    changed.soundsMuted = true;
    m_manager.encodeSettings(changed);
    EXPECT_EQ(copiesOf(m_store, kSettings), QStringList{copy});
    EXPECT_EQ(m_manager.decodeSettings(), changed);
}

TEST_F(PersistenceManagerTest, EachDocumentKeepsItsOwnCopies) {
    for (const QString& key : {kSettings, kGoals, kTriggers, kIntegrations})
        m_store.setValue(key, "garbage " + key.toUtf8());
    m_manager.encodeSettings(AppSettings::defaults());
    m_manager.encodeGoals(PersistenceManager::defaultGoals());
    m_manager.encodeTriggers(PersistenceManager::defaultTriggers());
    m_manager.encodeIntegrations(PersistenceManager::defaultIntegrations());
    for (const QString& key : {kSettings, kGoals, kTriggers, kIntegrations}) {
        const QString copy = key + QStringLiteral(".unreadable-20261207T100000");
        EXPECT_EQ(copiesOf(m_store, key), QStringList{copy});
        EXPECT_EQ(m_store.values().value(copy), "garbage " + key.toUtf8());
    }
}

TEST_F(PersistenceManagerTest, AtMostFiveCopiesAreKeptOldestRemoved) {
    QStringList expected;
    for (int i = 0; i < 7; ++i) {
        m_store.setValue(kGoals, "bad " + QByteArray::number(i));
        m_manager.encodeGoals({});
        expected.append(QStringLiteral("zingboard.goals.unreadable-") +
                        m_clock.now().toString(QStringLiteral("yyyyMMdd'T'HHmmss")));
        m_clock.advanceSeconds(3600 * 30); // across days, months: the order must be by time
    }
    const QStringList kept = copiesOf(m_store, kGoals);
    EXPECT_EQ(kept, expected.mid(2));
    EXPECT_EQ(m_store.values().value(expected.last()), QByteArray("bad 6"));
}

TEST_F(PersistenceManagerTest, CopiesWithinOneSecondDoNotOverwriteEachOther) {
    for (int i = 0; i < 3; ++i) {
        m_store.setValue(kTriggers, "bad " + QByteArray::number(i));
        m_manager.encodeTriggers({});
    }
    const QString base = QStringLiteral("zingboard.triggers.unreadable-20261207T100000");
    EXPECT_EQ(m_store.values().value(base), QByteArray("bad 0"));
    EXPECT_EQ(m_store.values().value(base + QStringLiteral("-1")), QByteArray("bad 1"));
    EXPECT_EQ(m_store.values().value(base + QStringLiteral("-2")), QByteArray("bad 2"));
}

TEST_F(PersistenceManagerTest, NewestCopySurvivesAClockSetBack) {
    for (int i = 0; i < 5; ++i) {
        m_store.setValue(kGoals, "bad " + QByteArray::number(i));
        m_manager.encodeGoals({});
        m_clock.advanceSeconds(60);
    }
    m_clock.setNow(QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC));
    m_store.setValue(kGoals, "after the clock went back");
    m_manager.encodeGoals({});
    const QStringList kept = copiesOf(m_store, kGoals);
    EXPECT_EQ(kept.size(), 5);
    EXPECT_EQ(m_store.values().value(QStringLiteral("zingboard.goals.unreadable-20200101T000000")),
              QByteArray("after the clock went back"));
    EXPECT_FALSE(kept.contains(QStringLiteral("zingboard.goals.unreadable-20261207T100000")));
}

TEST_F(PersistenceManagerTest, DocumentTheStoreCannotReadIsStillCopied) {
    m_store.putUnreadable(kSettings, QByteArray(64, 'z'));
    m_manager.encodeSettings(AppSettings::defaults());
    EXPECT_EQ(m_store.values().value(QStringLiteral("zingboard.settings.unreadable-20261207T100000")),
              QByteArray(64, 'z'));
    EXPECT_EQ(m_manager.decodeSettings(), AppSettings::defaults());
}

TEST_F(PersistenceManagerTest, WithoutACopyTheUnreadableDocumentIsNotOverwritten) {
    m_store.setValue(kGoals, "precious but broken");
    m_store.setFailCopies(true);
    m_manager.encodeGoals(PersistenceManager::defaultGoals());
    EXPECT_EQ(m_store.values().value(kGoals), QByteArray("precious but broken"));
}

TEST_F(PersistenceManagerTest, EncodingThatCannotBeReadBackWritesNothing) {
    AppSettings good;
    m_manager.encodeSettings(good);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        AppSettings s;
        s.pollIntervalSeconds = bad;
        m_manager.encodeSettings(s);
        EXPECT_EQ(m_manager.decodeSettings(), good);
    }
    auto goals = PersistenceManager::defaultGoals();
    goals[1].targetValue = std::nan("");
    m_manager.encodeGoals(goals);
    EXPECT_FALSE(m_store.contains(kGoals));
}

TEST_F(PersistenceManagerTest, FailingStoreIsSilentAndKeepsOldValues) {
    m_manager.encodeSettings(AppSettings::defaults());
    m_store.setFailWrites(true);
    AppSettings changed;
    changed.demoModeEnabled = true;
    m_manager.encodeSettings(changed);
    m_manager.encodeGoals({});
    EXPECT_EQ(m_manager.decodeSettings(), AppSettings::defaults());
    EXPECT_FALSE(m_manager.decodeGoals().has_value());
}

TEST(PersistenceManagerFiles, UnreadableFileIsKeptBesideTheNewDocument) {
    QTemporaryDir dir;
    FilePreferencesStore store(dir.path());
    FakeClock clock(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC));
    PersistenceManager manager(store, clock);
    const QByteArray broken("{\"hasCompletedOnboarding\":true}"); // required keys missing
    ASSERT_TRUE(store.setValue(PersistenceManager::settingsKey(), broken));

    EXPECT_FALSE(manager.decodeSettings().has_value());
    manager.encodeSettings(AppSettings::defaults());

    QFile copy(dir.path() + QStringLiteral("/zingboard.settings.unreadable-20260304T050607.json"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), broken);
    QFile document(dir.path() + QStringLiteral("/zingboard.settings.json"));
    ASSERT_TRUE(document.open(QIODevice::ReadOnly));
    EXPECT_EQ(document.readAll(), JsonConventions::compact(AppSettings::defaults().toJson()));
}

TEST_F(PersistenceManagerTest, UnchangedSavesWriteNothingAndOutsideEditsAreStillChecked) {
    auto goals = PersistenceManager::defaultGoals();
    m_manager.encodeGoals(goals);
    const int writes = m_store.writeAttempts();
    m_manager.encodeGoals(goals);
    EXPECT_EQ(m_store.writeAttempts(), writes);

    // Another hand broke the document after this manager wrote it: it is kept before being replaced.
    m_store.setValue(kGoals, "[{\"broken\":");
    goals[0].lastTriggeredAt = m_clock.now();
    m_manager.encodeGoals(goals);
    EXPECT_EQ(copiesOf(m_store, kGoals).size(), 1);
    EXPECT_EQ(m_manager.decodeGoals(), goals);
}
