#include "cli_sandbox.h"

#include "model/default_rules.h"
#include "model/file_preferences_store.h"
#include "model/metric_kind.h"
#include "model/persistence_manager.h"
#include "model/system_clock.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QJsonObject parseObject(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << bytes.toStdString();
    EXPECT_TRUE(document.isObject()) << bytes.toStdString();
    return document.object();
}

bool isIsoUtc(const QJsonValue& value) {
    return value.isString() &&
           QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
               .match(value.toString())
               .hasMatch();
}

// Rules that make a demo run react on its own: a goal on the demo revenue (reached at the first poll) and
// a trigger for every instant payment-side kind, without cooldown.
void storeDemoRules(const CliSandbox& sandbox, double pollIntervalSeconds) {
    FilePreferencesStore store(sandbox.configFolder());
    SystemClock clock;
    PersistenceManager persistence(store, clock);
    AppSettings settings = AppSettings::defaults();
    settings.pollIntervalSeconds = pollIntervalSeconds;
    persistence.encodeSettings(settings);
    persistence.encodeGoals({Goal{QUuid::createUuid(), QStringLiteral("Demo revenue"),
                                  IntegrationProvider::demo, MetricKind::revenueToday, 1, GoalPeriod::today,
                                  ReactionConfig{QString::fromUtf8("\U0001F3AF"), SoundEffect::applause,
                                                 QStringLiteral("Demo goal hit!")},
                                  true, std::nullopt}});
    QList<EventTrigger> triggers;
    for (TriggerEventKind kind :
         {TriggerEventKind::stripeCharge, TriggerEventKind::stripeRefund,
          TriggerEventKind::stripeCheckoutComplete, TriggerEventKind::stripeNewSubscription,
          TriggerEventKind::stripeSubscriptionRenewal, TriggerEventKind::stripeSubscriptionUpdated,
          TriggerEventKind::stripeSubscriptionCanceled}) {
        triggers.append(EventTrigger{
            QUuid::createUuid(), TriggerEventKinds::rawValue(kind), IntegrationProvider::stripe, kind,
            ReactionConfig{QStringLiteral("T"), SoundEffect::chaChing,
                           QStringLiteral("Trigger ") + TriggerEventKinds::rawValue(kind)},
            true, 0});
    }
    persistence.encodeTriggers(triggers);
}

TEST(HeadlessCli, OnceJsonWithDemoReportsAllMetricsAndSavesTheDefaults) {
    CliSandbox sandbox;
    const CliSandbox::Result result =
        sandbox.run({QStringLiteral("headless"), QStringLiteral("--demo"), QStringLiteral("--once"),
                     QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    // Standard output holds the document and nothing else.
    ASSERT_EQ(result.outLines().size(), 1) << result.out.toStdString();
    const QJsonObject document = parseObject(result.out);
    EXPECT_TRUE(document.value(QStringLiteral("lastError")).isNull());
    EXPECT_TRUE(isIsoUtc(document.value(QStringLiteral("lastPollAt"))));
    EXPECT_EQ(document.value(QStringLiteral("reactions")).toArray().size(), 0);

    const QJsonObject snapshots = document.value(QStringLiteral("snapshots")).toObject();
    ASSERT_EQ(snapshots.keys(), QStringList{QStringLiteral("demo")});
    const QJsonObject demo = snapshots.value(QStringLiteral("demo")).toObject();
    EXPECT_TRUE(isIsoUtc(demo.value(QStringLiteral("fetchedAt"))));
    EXPECT_TRUE(
        demo.value(QStringLiteral("displaySummary")).toString().startsWith(QStringLiteral("Demo: $")));
    const QJsonObject values = demo.value(QStringLiteral("values")).toObject();
    EXPECT_EQ(values.size(), 41);
    for (MetricKind kind : MetricKinds::allCases())
        EXPECT_TRUE(values.value(MetricKinds::rawValue(kind)).isDouble())
            << MetricKinds::rawValue(kind).toStdString();
    const double revenue = values.value(QStringLiteral("revenueToday")).toDouble();
    EXPECT_GE(revenue, 42);
    EXPECT_LE(revenue, 50);

    // The four documents: defaults, with the demo source switched on.
    const auto settingsBytes = sandbox.document(PersistenceManager::settingsKey());
    ASSERT_TRUE(settingsBytes.has_value());
    AppSettings expected = AppSettings::defaults();
    expected.demoModeEnabled = true;
    EXPECT_EQ(PersistenceManager::settingsFromBytes(*settingsBytes), expected);

    const auto goals =
        PersistenceManager::goalsFromBytes(sandbox.document(PersistenceManager::goalsKey()).value_or(""));
    const auto triggers = PersistenceManager::triggersFromBytes(
        sandbox.document(PersistenceManager::triggersKey()).value_or(""));
    const auto integrations = PersistenceManager::integrationsFromBytes(
        sandbox.document(PersistenceManager::integrationsKey()).value_or(""));
    ASSERT_TRUE(goals && triggers && integrations);
    QList<Goal> defaultGoals = DefaultRules::defaultGoals();
    ASSERT_EQ(goals->size(), defaultGoals.size());
    for (qsizetype i = 0; i < goals->size(); ++i) {
        defaultGoals[i].id = goals->at(i).id;
        EXPECT_EQ(goals->at(i), defaultGoals[i]);
    }
    QList<EventTrigger> defaultTriggers = DefaultRules::defaultTriggers();
    ASSERT_EQ(triggers->size(), defaultTriggers.size());
    for (qsizetype i = 0; i < triggers->size(); ++i) {
        defaultTriggers[i].id = triggers->at(i).id;
        EXPECT_EQ(triggers->at(i), defaultTriggers[i]);
    }
    EXPECT_EQ(*integrations, PersistenceManager::defaultIntegrations());
}

TEST(HeadlessCli, OnceWithNothingConnectedIsQuietAndSucceeds) {
    CliSandbox sandbox;
    const CliSandbox::Result json = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                                 QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(json.finished);
    EXPECT_EQ(json.exitCode, 0);
    const QJsonObject document = parseObject(json.out);
    EXPECT_TRUE(document.value(QStringLiteral("snapshots")).toObject().isEmpty());
    EXPECT_TRUE(document.value(QStringLiteral("lastError")).isNull());
    EXPECT_TRUE(document.value(QStringLiteral("reactions")).toArray().isEmpty());
    EXPECT_FALSE(json.err.contains("zingboard:")) << json.err.toStdString();

    const CliSandbox::Result text =
        sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"), QStringLiteral("--mute")});
    ASSERT_TRUE(text.finished);
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.isEmpty()) << text.out.toStdString();
    EXPECT_FALSE(text.err.contains("zingboard:")) << text.err.toStdString();
}

TEST(HeadlessCli, JsonLinesShowGoalAndTriggerReactionsBeforeTheirPoll) {
    CliSandbox sandbox;
    storeDemoRules(sandbox, 15);
    // Test hook: a minute of the program's time per 0.6 s of ours, so 45-second event batches come quickly.
    sandbox.setEnv(QStringLiteral("ZINGBOARD_TEST_TIME_SCALE"), QStringLiteral("100"));

    int polls = 0;
    bool goalSeen = false;
    bool triggerSeen = false;
    const CliSandbox::Result result = sandbox.runUntil(
        {QStringLiteral("headless"), QStringLiteral("--demo"), QStringLiteral("--json"),
         QStringLiteral("--mute")},
        [&](const QByteArray& line) {
            const QJsonObject object = QJsonDocument::fromJson(line).object();
            const QString type = object.value(QStringLiteral("type")).toString();
            const QString message = object.value(QStringLiteral("message")).toString();
            if (type == QLatin1String("poll"))
                ++polls;
            if (type == QLatin1String("reaction") && message == QLatin1String("Demo goal hit!"))
                goalSeen = true;
            if (type == QLatin1String("reaction") && message.startsWith(QLatin1String("Trigger ")))
                triggerSeen = true;
            return polls >= 3 && goalSeen && triggerSeen;
        },
        SIGTERM);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(goalSeen && triggerSeen);

    // Each poll line repeats exactly the reaction lines written since the previous poll line.
    QJsonArray sincePoll;
    QString previousPollAt;
    int goalReactions = 0;
    for (const QString& line : result.outLines()) {
        QJsonObject object = parseObject(line.toUtf8());
        const QString type = object.take(QStringLiteral("type")).toString();
        if (type == QLatin1String("reaction")) {
            for (const char* key : {"emoji", "message", "subtitle", "sound", "context", "amount", "headline"})
                EXPECT_TRUE(object.contains(QLatin1String(key))) << key;
            if (object.value(QStringLiteral("message")).toString() == QLatin1String("Demo goal hit!")) {
                ++goalReactions;
                EXPECT_EQ(object.value(QStringLiteral("context")).toString(), QStringLiteral("goal"));
                EXPECT_EQ(object.value(QStringLiteral("subtitle")).toString(),
                          QStringLiteral("Demo revenue"));
                EXPECT_EQ(object.value(QStringLiteral("sound")).toString(), QStringLiteral("applause"));
            }
            sincePoll.append(object);
            continue;
        }
        ASSERT_EQ(type, QStringLiteral("poll")) << line.toStdString();
        EXPECT_EQ(object.value(QStringLiteral("reactions")).toArray(), sincePoll);
        EXPECT_TRUE(object.value(QStringLiteral("lastError")).isNull());
        EXPECT_TRUE(object.value(QStringLiteral("snapshots")).toObject().contains(QStringLiteral("demo")));
        const QString pollAt = object.value(QStringLiteral("lastPollAt")).toString();
        EXPECT_GT(pollAt, previousPollAt);
        previousPollAt = pollAt;
        sincePoll = QJsonArray();
    }
    EXPECT_TRUE(sincePoll.isEmpty()) << "reaction lines without their poll line";
    // A goal for today fires once.
    EXPECT_EQ(goalReactions, 1);

    // Ended by SIGTERM, the run still saved: the goal remembers when it fired.
    const auto goals =
        PersistenceManager::goalsFromBytes(sandbox.document(PersistenceManager::goalsKey()).value_or(""));
    ASSERT_TRUE(goals.has_value());
    ASSERT_EQ(goals->size(), 1);
    EXPECT_TRUE(goals->first().lastTriggeredAt.has_value());
}

TEST(HeadlessCli, TextLinesAndInterruptEndCleanly) {
    CliSandbox sandbox;
    storeDemoRules(sandbox, 15);
    sandbox.setEnv(QStringLiteral("ZINGBOARD_TEST_TIME_SCALE"), QStringLiteral("100"));
    QByteArray firstLine;
    const CliSandbox::Result result = sandbox.runUntil(
        {QStringLiteral("headless"), QStringLiteral("--demo"), QStringLiteral("--mute")},
        [&](const QByteArray& line) {
            // A slow start may let a trigger of the demo's first batch come first.
            if (!line.contains("Demo goal hit!"))
                return false;
            firstLine = line;
            return true;
        },
        SIGINT);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    // Time, emoji and message, subtitle, stamp, amount.
    const QRegularExpression shape(QString::fromUtf8(
        "^\\d\\d:\\d\\d:\\d\\d  \U0001F3AF Demo goal hit!  Demo revenue  \\[GOAL HIT\\]  \\$\\d+ / \\$1$"));
    EXPECT_TRUE(shape.match(QString::fromUtf8(firstLine)).hasMatch()) << firstLine.toStdString();
    EXPECT_TRUE(sandbox.document(PersistenceManager::settingsKey()).has_value());
}

// Before the demo's first reaction (one batch per 45 s), the figures show that it is alive.
TEST(HeadlessCli, TextModePrintsTheFiguresAfterAPoll) {
    CliSandbox sandbox;
    storeDemoRules(sandbox, 15);
    sandbox.writeDocument(PersistenceManager::goalsKey(), "[]");
    sandbox.writeDocument(PersistenceManager::triggersKey(), "[]");
    sandbox.setEnv(QStringLiteral("ZINGBOARD_TEST_TIME_SCALE"), QStringLiteral("100"));
    QByteArray firstLine;
    const CliSandbox::Result result = sandbox.runUntil(
        {QStringLiteral("headless"), QStringLiteral("--demo"), QStringLiteral("--mute")},
        [&](const QByteArray& line) {
            firstLine = line;
            return true;
        },
        SIGINT);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QRegularExpression shape(
        QString::fromUtf8("^\\d\\d:\\d\\d:\\d\\d  Demo: \\$\\d+ \u00B7 \\d+ sessions$"));
    EXPECT_TRUE(shape.match(QString::fromUtf8(firstLine)).hasMatch()) << firstLine.toStdString();
}

TEST(HeadlessCli, StatusJsonListsConnectionsAndSettings) {
    CliSandbox sandbox;
    const CliSandbox::Result result = sandbox.run({QStringLiteral("status"), QStringLiteral("--json")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    const QJsonObject status = parseObject(result.out);
    QStringList keys = status.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("builtInSounds"), QStringLiteral("demoModeEnabled"),
                                 QStringLiteral("googleIntegration"), QStringLiteral("integrations"),
                                 QStringLiteral("notificationStyle"), QStringLiteral("pollIntervalSeconds"),
                                 QStringLiteral("soundsMuted")}));
    EXPECT_EQ(status.value(QStringLiteral("integrations")).toArray().size(), 4);
    EXPECT_EQ(status.value(QStringLiteral("demoModeEnabled")), QJsonValue(false));
    EXPECT_EQ(status.value(QStringLiteral("pollIntervalSeconds")), QJsonValue(30));
    EXPECT_EQ(status.value(QStringLiteral("notificationStyle")), QJsonValue(QStringLiteral("celebration")));
    // Run from the build folder, the program plays the source tree's clips.
    EXPECT_EQ(status.value(QStringLiteral("builtInSounds")),
              QJsonValue(QDir::cleanPath(QStringLiteral(ZINGBOARD_SOURCE_DIR "/data/sounds"))));
}

TEST(HeadlessCli, UsageAndUnavailableCommands) {
    CliSandbox sandbox;
    const struct {
        QStringList arguments;
        int exitCode;
        const char* outContains;
        const char* errContains;
    } cases[] = {
        {{QStringLiteral("--version")}, 0, "zingboard 0.1.0", ""},
        {{QStringLiteral("--help")}, 0, "headless", ""},
        {{QStringLiteral("bogus")}, 2, "", "unknown command"},
        {{QStringLiteral("status"), QStringLiteral("--once")}, 2, "", "--once"},
        {{QStringLiteral("headless"), QStringLiteral("extra")}, 2, "", "no arguments"},
        {{QStringLiteral("connect")}, 2, "", "stripe, datafast, google"},
        {{QStringLiteral("disconnect"), QStringLiteral("paypal")}, 2, "", "stripe, datafast, google"},
        {{QStringLiteral("--no-such-option")}, 2, "", "no-such-option"},
        {{QStringLiteral("connect"), QStringLiteral("google")}, 1, "", "Google OAuth isn't configured"},
        {{QStringLiteral("status"), QStringLiteral("--no-browser")}, 2, "", "connect google only"},
    };
    for (const auto& c : cases) {
        const CliSandbox::Result result = sandbox.run(c.arguments);
        const std::string name = c.arguments.join(u' ').toStdString();
        ASSERT_TRUE(result.finished) << name;
        EXPECT_EQ(result.exitCode, c.exitCode) << name;
        EXPECT_TRUE(result.out.contains(c.outContains)) << name << ": " << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(c.errContains)) << name << ": " << result.err.toStdString();
    }
}

} // namespace
