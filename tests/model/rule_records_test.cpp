#include "model/default_rules.h"
#include "model/event_trigger.h"
#include "model/goal.h"
#include "model/json_conventions.h"
#include "model/notification_style.h"
#include "model/tavik_event_catalog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QJsonObject parse(const char* json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    return doc.object();
}

QString text(const QJsonObject& object) {
    return QString::fromUtf8(JsonConventions::compact(object));
}

const char* kReaction = R"({"emoji":"x","message":"Hi","sound":"chaChing"})";

Goal sampleGoal() {
    return Goal{QUuid(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}")),
                QStringLiteral("Big day"),
                IntegrationProvider::googleSearchConsole,
                MetricKind::avgPosition,
                4.5,
                GoalPeriod::rolling7d,
                ReactionConfig{QString::fromUtf8("\U0001F3C6"), SoundEffect::whisper, QStringLiteral("Top!")},
                false,
                QDateTime(QDate(2001, 1, 2), QTime(0, 0), Qt::UTC)};
}

} // namespace

TEST(RuleEnumerations, RawValuesOrderAndTitles) {
    ASSERT_EQ(SoundEffects::allCases().size(), 8);
    EXPECT_EQ(SoundEffects::allCases().front(), SoundEffect::moan);
    EXPECT_EQ(SoundEffects::allCases().back(), SoundEffect::whisper);
    for (SoundEffect e : SoundEffects::allCases())
        EXPECT_EQ(SoundEffects::fromRawValue(SoundEffects::rawValue(e)), e);
    EXPECT_EQ(SoundEffects::rawValue(SoundEffect::chaChing), QStringLiteral("chaChing"));
    EXPECT_EQ(SoundEffects::title(SoundEffect::chaChing), QStringLiteral("Cha-ching / We're rich"));
    EXPECT_EQ(SoundEffects::subtitle(SoundEffect::scream), QStringLiteral("Darth Vader / dramatic no"));
    EXPECT_EQ(SoundEffects::title(SoundEffect::whisper), QStringLiteral("Psst... bag secured"));
    EXPECT_FALSE(SoundEffects::fromRawValue(QStringLiteral("ChaChing")));
    EXPECT_FALSE(SoundEffects::fromRawValue(QStringLiteral("horn")));

    EXPECT_EQ(NotificationStyles::allCases(),
              (QList<NotificationStyle>{NotificationStyle::celebration, NotificationStyle::subtle}));
    EXPECT_EQ(NotificationStyles::title(NotificationStyle::subtle), QStringLiteral("Subtle"));
    EXPECT_EQ(NotificationStyles::fromRawValue(QStringLiteral("celebration")),
              NotificationStyle::celebration);
    EXPECT_FALSE(NotificationStyles::fromRawValue(QStringLiteral("Celebration")));

    EXPECT_EQ(GoalPeriods::title(GoalPeriod::rolling7d), QStringLiteral("Last 7 days"));
    EXPECT_EQ(GoalPeriods::fromRawValue(QStringLiteral("rolling7d")), GoalPeriod::rolling7d);
    EXPECT_FALSE(GoalPeriods::fromRawValue(QStringLiteral("week")));
}

TEST(RuleEnumerations, TriggerKindsWatchMetricsTheirProviderOffers) {
    const auto& kinds = TriggerEventKinds::allCases();
    ASSERT_EQ(kinds.size(), 36);
    EXPECT_EQ(kinds[6], TriggerEventKind::stripeSubscriptionCanceled);
    EXPECT_EQ(kinds[35], TriggerEventKind::gscCTR);
    int instant = 0;
    for (TriggerEventKind k : kinds) {
        const QString raw = TriggerEventKinds::rawValue(k);
        EXPECT_EQ(TriggerEventKinds::fromRawValue(raw), k);
        const TavikEventDefinition& definition = TavikEventCatalog::definition(k);
        const auto metric = definition.metricKind;
        if (!metric) {
            ++instant;
            EXPECT_EQ(definition.provider, IntegrationProvider::stripe) << raw.toStdString();
            continue;
        }
        EXPECT_TRUE(MetricKinds::available(definition.provider).contains(*metric)) << raw.toStdString();
    }
    EXPECT_EQ(instant, 7);
    EXPECT_EQ(TriggerEventKinds::rawValue(TriggerEventKind::stripeMRR), QStringLiteral("stripeMRR"));
    EXPECT_FALSE(TriggerEventKinds::fromRawValue(QStringLiteral("stripeMrr")));
}

TEST(ReactionConfigJson, ExactTextAndStrictReading) {
    const ReactionConfig config{QString::fromUtf8("\U0001F680"), SoundEffect::rocketWhoosh,
                                QStringLiteral("Go")};
    EXPECT_EQ(text(config.toJson()), QString::fromUtf8("{\"emoji\":\"\U0001F680\",\"message\":\"Go\","
                                                       "\"sound\":\"rocketWhoosh\"}"));
    EXPECT_EQ(ReactionConfig::fromJson(config.toJson()), config);

    const char* bad[] = {
        R"({"emoji":"x","message":"Hi"})",           R"({"emoji":"x","sound":"moan"})",
        R"({"message":"Hi","sound":"moan"})",        R"({"emoji":"x","message":"Hi","sound":"kazoo"})",
        R"({"emoji":"x","message":"Hi","sound":0})", R"({"emoji":null,"message":"Hi","sound":"moan"})",
    };
    for (const char* json : bad)
        EXPECT_FALSE(ReactionConfig::fromJson(parse(json))) << json;
    EXPECT_FALSE(ReactionConfig::fromJson(QJsonValue(QStringLiteral("moan"))));
    // Equal configs hash alike, so a set keeps one of them.
    const QSet<ReactionConfig> set{config, ReactionConfig{config.emoji, config.sound, config.message},
                                   ReactionConfig{config.emoji, SoundEffect::moan, config.message}};
    EXPECT_EQ(set.size(), 2);
    // Unknown keys are ignored.
    EXPECT_TRUE(ReactionConfig::fromJson(parse(R"({"emoji":"","message":"","sound":"moan","volume":3})")));
}

TEST(GoalJson, ExactTextTimestampAndUuidCase) {
    const Goal goal = sampleGoal();
    EXPECT_EQ(text(goal.toJson()),
              QString::fromUtf8(
                  "{\"id\":\"0F8FAD5B-D9CB-469F-A165-70867728950E\",\"isEnabled\":false,"
                  "\"lastTriggeredAt\":86400,\"metric\":\"avgPosition\",\"name\":\"Big day\","
                  "\"period\":\"rolling7d\",\"provider\":\"googleSearchConsole\","
                  "\"reaction\":{\"emoji\":\"\U0001F3C6\",\"message\":\"Top!\",\"sound\":\"whisper\"},"
                  "\"targetValue\":4.5}"));
    EXPECT_EQ(Goal::fromJson(goal.toJson()), goal);

    Goal unset = goal;
    unset.lastTriggeredAt.reset();
    EXPECT_FALSE(unset.toJson().contains(QStringLiteral("lastTriggeredAt")));
    EXPECT_EQ(Goal::fromJson(unset.toJson()), unset);

    // Lower-case ids read, and are written upper case again.
    QJsonObject lower = goal.toJson();
    lower[QStringLiteral("id")] = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");
    const auto read = Goal::fromJson(lower);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, goal.id);
    EXPECT_EQ(read->toJson().value(QStringLiteral("id")).toString(),
              QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E"));

    // Sub-second timestamps survive the trip.
    Goal precise = goal;
    precise.lastTriggeredAt = QDateTime(QDate(2026, 3, 1), QTime(12, 30, 5, 250), Qt::UTC);
    EXPECT_EQ(Goal::fromJson(precise.toJson())->lastTriggeredAt, precise.lastTriggeredAt);
}

TEST(GoalJson, EveryRequiredKeyAndBadValueFails) {
    const QJsonObject good = sampleGoal().toJson();
    for (const char* key :
         {"id", "name", "provider", "metric", "targetValue", "period", "reaction", "isEnabled"}) {
        QJsonObject missing = good;
        missing.remove(QString::fromLatin1(key));
        EXPECT_FALSE(Goal::fromJson(missing)) << "without " << key;
    }
    struct Bad {
        const char* key;
        QJsonValue value;
    };
    const Bad bads[] = {
        {"id", QStringLiteral("not-a-uuid")},
        {"id", QStringLiteral("{0F8FAD5B-D9CB-469F-A165-70867728950E}")},
        {"provider", QStringLiteral("paypal")},
        {"metric", QStringLiteral("RevenueToday")},
        {"period", QStringLiteral("weekly")},
        {"targetValue", QStringLiteral("100")},
        {"isEnabled", 1},
        {"isEnabled", QJsonValue::Null},
        {"lastTriggeredAt", QStringLiteral("2026-01-01T00:00:00Z")},
        {"reaction", QJsonObject{{QStringLiteral("emoji"), QStringLiteral("x")},
                                 {QStringLiteral("sound"), QStringLiteral("kazoo")},
                                 {QStringLiteral("message"), QStringLiteral("m")}}},
    };
    for (const Bad& bad : bads) {
        QJsonObject object = good;
        object[QString::fromLatin1(bad.key)] = bad.value;
        EXPECT_FALSE(Goal::fromJson(object)) << bad.key;
    }
    QJsonObject nullStamp = good;
    nullStamp[QStringLiteral("lastTriggeredAt")] = QJsonValue::Null;
    ASSERT_TRUE(Goal::fromJson(nullStamp));
    EXPECT_FALSE(Goal::fromJson(nullStamp)->lastTriggeredAt);
}

TEST(EventTriggerJson, ReadingTable) {
    struct Case {
        const char* extraKeys;                // appended to id, name, provider and reaction
        std::optional<TriggerEventKind> kind; // nothing: the record fails
        bool enabled = true;
        double cooldown = 3.0;
    };
    using K = TriggerEventKind;
    const Case cases[] = {
        {R"("stripeEvent":"refund")", K::stripeRefund},
        {R"("stripeEvent":"purchase")", K::stripeCharge},
        {R"("eventKind":null,"stripeEvent":"refund")", K::stripeRefund},
        {R"("eventKind":"gaNewSession")", K::gaSessions},
        {R"("eventKind":"datafastNewPageview")", K::datafastSessions},
        {R"("eventKind":"stripeDispute")", K::stripeCharge},
        {R"("eventKind":"somethingNew")", K::stripeCharge},
        {R"("eventKind":"gsccTR")", K::stripeCharge},
        {"", K::stripeCharge},
        {R"("eventKind":null,"stripeEvent":null)", K::stripeCharge},
        // A current kind wins over the older key; the older key wins over a legacy name.
        {R"("eventKind":"gscCTR","stripeEvent":"refund")", K::gscCTR},
        {R"("eventKind":"gaNewSession","stripeEvent":"refund")", K::stripeRefund},
        {R"("eventKind":"gscCTR","stripeEvent":"dispute")", K::gscCTR},
        {R"("stripeEvent":"dispute")", std::nullopt},
        {R"("stripeEvent":1)", std::nullopt},
        {R"("eventKind":42)", std::nullopt},
        {R"("eventKind":["gscCTR"])", std::nullopt},
        {R"("eventKind":42,"stripeEvent":"refund")", std::nullopt},
        {R"("eventKind":"gscClicks","isEnabled":false,"cooldownSeconds":10.5)", K::gscClicks, false, 10.5},
        {R"("eventKind":"gscClicks","isEnabled":null,"cooldownSeconds":null)", K::gscClicks, true, 3.0},
        {R"("eventKind":"gscClicks","cooldownSeconds":0)", K::gscClicks, true, 0.0},
        {R"("eventKind":"gscClicks","isEnabled":"yes")", std::nullopt},
        {R"("eventKind":"gscClicks","cooldownSeconds":"10")", std::nullopt},
    };
    for (const Case& c : cases) {
        QByteArray json = QByteArrayLiteral(R"({"id":"0f8fad5b-d9cb-469f-a165-70867728950e","name":"T",)"
                                            R"("provider":"stripe","reaction":)") +
                          kReaction;
        if (*c.extraKeys)
            json += ',' + QByteArray(c.extraKeys);
        json += '}';
        const auto trigger = EventTrigger::fromJson(parse(json.constData()));
        ASSERT_EQ(trigger.has_value(), c.kind.has_value()) << json.constData();
        if (!trigger)
            continue;
        EXPECT_EQ(trigger->eventKind, *c.kind) << json.constData();
        EXPECT_EQ(trigger->isEnabled, c.enabled) << json.constData();
        EXPECT_EQ(trigger->cooldownSeconds, c.cooldown) << json.constData();
    }
}

TEST(EventTriggerJson, OlderFormIsWrittenBackInTheCurrentForm) {
    const auto trigger = EventTrigger::fromJson(
        parse(R"({"id":"0f8fad5b-d9cb-469f-a165-70867728950e","name":"Refunds","provider":"stripe",)"
              R"("reaction":{"emoji":"x","message":"Hi","sound":"chaChing"},"stripeEvent":"refund"})"));
    ASSERT_TRUE(trigger);
    EXPECT_EQ(text(trigger->toJson()),
              QStringLiteral(
                  "{\"cooldownSeconds\":3,\"eventKind\":\"stripeRefund\","
                  "\"id\":\"0F8FAD5B-D9CB-469F-A165-70867728950E\",\"isEnabled\":true,\"name\":\"Refunds\","
                  "\"provider\":\"stripe\",\"reaction\":{\"emoji\":\"x\",\"message\":\"Hi\","
                  "\"sound\":\"chaChing\"}}"));
    EXPECT_EQ(EventTrigger::fromJson(trigger->toJson()), trigger);
}

TEST(EventTriggerJson, RequiredKeysAndUnknownSoundFail) {
    const QJsonObject good = DefaultRules::defaultTriggers().first().toJson();
    for (const char* key : {"id", "name", "provider", "reaction"}) {
        QJsonObject missing = good;
        missing.remove(QString::fromLatin1(key));
        EXPECT_FALSE(EventTrigger::fromJson(missing)) << "without " << key;
    }
    QJsonObject badSound = good;
    QJsonObject reaction = badSound[QStringLiteral("reaction")].toObject();
    reaction[QStringLiteral("sound")] = QStringLiteral("foghorn");
    badSound[QStringLiteral("reaction")] = reaction;
    EXPECT_FALSE(EventTrigger::fromJson(badSound));
    QJsonObject badProvider = good;
    badProvider[QStringLiteral("provider")] = QStringLiteral("Stripe");
    EXPECT_FALSE(EventTrigger::fromJson(badProvider));
}

TEST(DefaultRules, StartingRulesWithFreshIds) {
    const QList<Goal> goals = DefaultRules::defaultGoals();
    ASSERT_EQ(goals.size(), 2);
    EXPECT_EQ(goals[0].name, QStringLiteral("$100 revenue today"));
    EXPECT_EQ(goals[0].metric, MetricKind::revenueToday);
    EXPECT_EQ(goals[0].targetValue, 100);
    EXPECT_EQ(goals[0].reaction, (ReactionConfig{QString::fromUtf8("\U0001F680"), SoundEffect::rocketWhoosh,
                                                 QStringLiteral("We hit $100!")}));
    EXPECT_EQ(goals[1].provider, IntegrationProvider::googleAnalytics);
    EXPECT_EQ(goals[1].metric, MetricKind::sessionsToday);
    EXPECT_EQ(goals[1].targetValue, 50);
    for (const Goal& g : goals) {
        EXPECT_TRUE(g.isEnabled);
        EXPECT_FALSE(g.lastTriggeredAt);
        EXPECT_EQ(g.period, GoalPeriod::today);
        EXPECT_EQ(Goal::fromJson(g.toJson()), g);
    }

    const QList<EventTrigger> triggers = DefaultRules::defaultTriggers();
    ASSERT_EQ(triggers.size(), 4);
    const TriggerEventKind kinds[] = {TriggerEventKind::stripeCharge, TriggerEventKind::stripeRefund,
                                      TriggerEventKind::gaSessions, TriggerEventKind::gscClicks};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(triggers[i].eventKind, kinds[i]);
        EXPECT_EQ(triggers[i].provider, TavikEventCatalog::definition(kinds[i]).provider);
        EXPECT_TRUE(triggers[i].isEnabled);
        EXPECT_EQ(triggers[i].cooldownSeconds, 3.0);
        EXPECT_EQ(EventTrigger::fromJson(triggers[i].toJson()), triggers[i]);
    }
    EXPECT_EQ(triggers[1].reaction, (ReactionConfig{QString::fromUtf8("\U0001F595"), SoundEffect::scream,
                                                    QStringLiteral("Noooo!")}));
    EXPECT_EQ(triggers[3].name, QStringLiteral("Search clicks up"));

    QSet<QUuid> ids;
    for (const auto& g : goals + DefaultRules::defaultGoals())
        ids.insert(g.id);
    for (const auto& t : triggers + DefaultRules::defaultTriggers())
        ids.insert(t.id);
    EXPECT_EQ(ids.size(), 12);
    EXPECT_FALSE(ids.contains(QUuid()));
}
