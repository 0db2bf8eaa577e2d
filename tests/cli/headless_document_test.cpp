#include "cli_sandbox.h"

#include "model/file_preferences_store.h"
#include "model/persistence_manager.h"
#include "model/system_clock.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

Goal demoGoal(const char* name, MetricKind metric, double target, bool enabled = true) {
    return Goal{QUuid::createUuid(),
                QString::fromUtf8(name),
                IntegrationProvider::demo,
                metric,
                target,
                GoalPeriod::today,
                ReactionConfig{QString::fromUtf8("\U0001F3AF"), SoundEffect::applause,
                               QString::fromUtf8(name) + QLatin1Char('!')},
                enabled,
                std::nullopt};
}

TEST(HeadlessDocument, OnceJsonCarriesThePollsReactionsInFiringOrder) {
    CliSandbox sandbox;
    {
        FilePreferencesStore store(sandbox.configFolder());
        SystemClock clock;
        PersistenceManager persistence(store, clock);
        AppSettings settings = AppSettings::defaults();
        settings.demoModeEnabled = true;
        persistence.encodeSettings(settings);
        // Both reached by the first demo snapshot (revenue 42 to 50, position just under 8.2); the disabled
        // one never fires.
        persistence.encodeGoals({demoGoal("Revenue", MetricKind::revenueToday, 1),
                                 demoGoal("Off", MetricKind::revenueToday, 1, false),
                                 demoGoal("Position", MetricKind::avgPosition, 20)});
        persistence.encodeTriggers({});
    }
    const CliSandbox::Result result = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                                   QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_EQ(result.outLines().size(), 1) << result.out.toStdString();
    const QJsonObject document = QJsonDocument::fromJson(result.out).object();
    const QJsonArray reactions = document.value(QStringLiteral("reactions")).toArray();
    ASSERT_EQ(reactions.size(), 2) << result.out.toStdString();

    QJsonObject revenue = reactions.at(0).toObject();
    const QString amount = revenue.take(QStringLiteral("amount")).toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\$(4[2-9]|50) / \\$1$")).match(amount).hasMatch())
        << amount.toStdString();
    // Every key is there; what a goal does not have is null, not left out.
    EXPECT_EQ(revenue, (QJsonObject{{QStringLiteral("emoji"), QString::fromUtf8("\U0001F3AF")},
                                    {QStringLiteral("message"), QStringLiteral("Revenue!")},
                                    {QStringLiteral("subtitle"), QStringLiteral("Revenue")},
                                    {QStringLiteral("sound"), QStringLiteral("applause")},
                                    {QStringLiteral("context"), QStringLiteral("goal")},
                                    {QStringLiteral("headline"), QJsonValue::Null}}));
    // Not a currency metric: no dollar signs.
    EXPECT_EQ(reactions.at(1).toObject().value(QStringLiteral("amount")),
              QJsonValue(QStringLiteral("8 / 20")));
    EXPECT_EQ(reactions.at(1).toObject().value(QStringLiteral("subtitle")),
              QJsonValue(QStringLiteral("Position")));

    // The firing is remembered in the stored goals.
    const auto goals =
        PersistenceManager::goalsFromBytes(sandbox.document(PersistenceManager::goalsKey()).value_or(""));
    ASSERT_TRUE(goals && goals->size() == 3);
    EXPECT_TRUE(goals->at(0).lastTriggeredAt && goals->at(2).lastTriggeredAt);
    EXPECT_FALSE(goals->at(1).lastTriggeredAt);
}

TEST(HeadlessDocument, HelpOptionsDescribeAndNeverRun) {
    CliSandbox sandbox;
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--help")}, QStringList{QStringLiteral("--help-all")},
          QStringList{QStringLiteral("headless"), QStringLiteral("--once"), QStringLiteral("--help-all")}}) {
        const std::string name = arguments.join(u' ').toStdString();
        const CliSandbox::Result result = sandbox.run(arguments, {}, std::chrono::seconds(10));
        ASSERT_TRUE(result.finished) << name;
        EXPECT_EQ(result.exitCode, 0) << name;
        EXPECT_TRUE(result.out.startsWith("Usage: zingboard")) << name << ": " << result.out.toStdString();
        // Nothing ran, so nothing was stored.
        EXPECT_FALSE(sandbox.document(PersistenceManager::settingsKey()).has_value()) << name;
    }
}

} // namespace
