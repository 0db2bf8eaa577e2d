#include "model/app_settings.h"
#include "model/integration_connection.h"
#include "model/json_conventions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

QJsonObject object(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QString text(const QJsonObject& o) {
    return QString::fromUtf8(JsonConventions::compact(o));
}

const char* const kDefaultSettingsText =
    R"({"demoModeEnabled":false,"googleIntegration":{},"hasCompletedOnboarding":false,"launchAtLogin":false,)"
    R"("notificationStyle":"celebration","pollIntervalSeconds":30,"preferredMenuBarMetric":"revenueToday",)"
    R"("reactionAnimationsEnabled":true,"reactionDurationSeconds":3.5,"showMenuBarMetric":true,"soundsMuted":false})";

} // namespace

TEST(AppSettingsJson, DefaultsEncodeToExactCompactText) {
    EXPECT_EQ(text(AppSettings::defaults().toJson()), QString::fromUtf8(kDefaultSettingsText));
    EXPECT_EQ(AppSettings::fromJson(object(kDefaultSettingsText)), AppSettings::defaults());
}

TEST(AppSettingsJson, RoundTripsEveryFieldAndKeepsOutOfRangeValues) {
    AppSettings s;
    s.hasCompletedOnboarding = true;
    s.demoModeEnabled = true;
    s.launchAtLogin = true;
    s.pollIntervalSeconds = 5; // below what the engine honours; kept as read
    s.reactionDurationSeconds = 0.25;
    s.reactionAnimationsEnabled = false;
    s.notificationStyle = NotificationStyle::subtle;
    s.showMenuBarMetric = false;
    s.preferredMenuBarMetric = MetricKind::avgPosition;
    s.soundsMuted = true;
    s.googleIntegration = {QStringLiteral("properties/123"), QStringLiteral("Shop \u00e9"),
                           QStringLiteral("sc-domain:example.com")};
    const auto back =
        AppSettings::fromJson(QJsonDocument::fromJson(JsonConventions::compact(s.toJson())).object());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
    EXPECT_EQ(back->pollIntervalSeconds, 5.0);
}

TEST(AppSettingsJson, UnsetPreferredMetricIsLeftOut) {
    AppSettings s;
    s.preferredMenuBarMetric.reset();
    EXPECT_FALSE(s.toJson().contains(QStringLiteral("preferredMenuBarMetric")));
}

TEST(AppSettingsJson, MissingLaterKeysTakeTheirDefaults) {
    QJsonObject o = object(kDefaultSettingsText);
    o.insert(QStringLiteral("soundsMuted"), true);
    o.insert(QStringLiteral("notificationStyle"), QStringLiteral("subtle"));
    o.insert(QStringLiteral("reactionAnimationsEnabled"), false);
    for (const char* key :
         {"soundsMuted", "notificationStyle", "reactionAnimationsEnabled", "preferredMenuBarMetric"})
        o.remove(QString::fromUtf8(key));
    o.insert(QStringLiteral("someFutureKey"), 42);
    const auto s = AppSettings::fromJson(o);
    ASSERT_TRUE(s.has_value());
    EXPECT_FALSE(s->soundsMuted);
    EXPECT_EQ(s->notificationStyle, NotificationStyle::celebration);
    EXPECT_TRUE(s->reactionAnimationsEnabled);
    EXPECT_FALSE(s->preferredMenuBarMetric.has_value());
}

TEST(AppSettingsJson, MissingRequiredKeyFailsTheDocument) {
    for (const char* key :
         {"hasCompletedOnboarding", "demoModeEnabled", "launchAtLogin", "pollIntervalSeconds",
          "reactionDurationSeconds", "showMenuBarMetric", "googleIntegration"}) {
        QJsonObject o = object(kDefaultSettingsText);
        o.remove(QString::fromUtf8(key));
        EXPECT_FALSE(AppSettings::fromJson(o).has_value()) << key;
        o.insert(QString::fromUtf8(key), QJsonValue::Null);
        EXPECT_FALSE(AppSettings::fromJson(o).has_value()) << key << " null";
    }
}

TEST(AppSettingsJson, BadValuesFailTheDocument) {
    const struct {
        const char* key;
        QJsonValue value;
    } cases[] = {
        {"pollIntervalSeconds", QStringLiteral("30")},
        {"hasCompletedOnboarding", 1},
        {"notificationStyle", QStringLiteral("Celebration")},
        {"notificationStyle", true},
        {"preferredMenuBarMetric", QStringLiteral("noSuchMetric")},
        {"soundsMuted", QStringLiteral("false")},
        {"reactionAnimationsEnabled", 0},
        {"googleIntegration", QJsonValue(QJsonArray())},
        {"googleIntegration", QJsonValue(QJsonObject{{QStringLiteral("gaPropertyId"), 123}})},
    };
    for (const auto& c : cases) {
        QJsonObject o = object(kDefaultSettingsText);
        o.insert(QString::fromUtf8(c.key), c.value);
        EXPECT_FALSE(AppSettings::fromJson(o).has_value()) << c.key;
    }
    EXPECT_FALSE(AppSettings::fromJson(QJsonValue(QJsonArray())).has_value());
}

TEST(GoogleIntegrationMetadataJson, OnlySetFieldsAreWrittenAndAllMayBeAbsent) {
    GoogleIntegrationMetadata m;
    EXPECT_EQ(text(m.toJson()), QStringLiteral("{}"));
    m.gscSiteUrl = QStringLiteral("https://example.com/");
    EXPECT_EQ(text(m.toJson()), QStringLiteral(R"({"gscSiteUrl":"https://example.com/"})"));
    EXPECT_EQ(GoogleIntegrationMetadata::fromJson(m.toJson()), m);
    EXPECT_EQ(GoogleIntegrationMetadata::fromJson(object(R"({"gaPropertyId":null,"other":1})")),
              GoogleIntegrationMetadata{});
    // An empty string is a value, not "unset".
    EXPECT_EQ(GoogleIntegrationMetadata::fromJson(object(R"({"gaPropertyName":""})"))->gaPropertyName,
              QString());
}

TEST(IntegrationConnectionJson, ExactTextWithConfiguredAtAsSecondsSince2001) {
    const IntegrationConnection c{IntegrationProvider::googleSearchConsole, true,
                                  QStringLiteral("sc-domain:a.io"),
                                  QDateTime(QDate(2001, 1, 1), QTime(0, 0, 10, 500), Qt::UTC)};
    EXPECT_EQ(
        text(c.toJson()),
        QStringLiteral(
            R"({"configuredAt":10.5,"isConnected":true,"label":"sc-domain:a.io","provider":"googleSearchConsole"})"));
    EXPECT_EQ(IntegrationConnection::fromJson(c.toJson()), c);

    const auto disconnected = IntegrationConnection::disconnected(IntegrationProvider::datafast);
    EXPECT_EQ(text(disconnected.toJson()),
              QStringLiteral(R"({"isConnected":false,"label":"","provider":"datafast"})"));
}

TEST(IntegrationConnectionJson, ReadsAnyNumberAsConfiguredAt) {
    const auto c = IntegrationConnection::fromJson(
        object(R"({"provider":"stripe","isConnected":true,"label":"x","configuredAt":786535200})"));
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->configuredAt, QDateTime(QDate(2025, 12, 4), QTime(10, 0), Qt::UTC));
}

TEST(IntegrationConnectionJson, StrictReading) {
    const struct {
        const char* json;
        bool decodes;
    } cases[] = {
        {R"({"provider":"stripe","isConnected":false,"label":""})", true},
        {R"({"provider":"stripe","isConnected":false,"label":"","configuredAt":null})", true},
        {R"({"isConnected":false,"label":""})", false},
        {R"({"provider":"stripe","label":""})", false},
        {R"({"provider":"stripe","isConnected":false})", false},
        {R"({"provider":"Stripe","isConnected":false,"label":""})", false},
        {R"({"provider":"stripe","isConnected":"false","label":""})", false},
        {R"({"provider":"stripe","isConnected":false,"label":""," configuredAt":"2025-01-01"})", true},
        {R"({"provider":"stripe","isConnected":false,"label":"","configuredAt":"2025-01-01"})", false},
        {R"({"provider":"stripe","isConnected":false,"label":"","configuredAt":1e300})", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntegrationConnection::fromJson(object(c.json)).has_value(), c.decodes) << c.json;
}
