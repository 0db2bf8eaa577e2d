#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "providers/analytics/ga4_metric_values.h"
#include "providers/analytics/ga4_report.h"
#include "providers/analytics/google_analytics_provider.h"
#include "providers/decoding_error.h"
#include "providers/google/google_integration_service.h"
#include "support/fake_clock.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/qt_printers.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"
#include "support/scripted_random_source.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QByteArray gaData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/google/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test data " << name;
    return file.readAll();
}

// A report answer with the given header names and first-row values.
QByteArray report(const QStringList& names, const QStringList& values) {
    QJsonArray headers;
    for (const QString& name : names)
        headers.append(QJsonObject{{QStringLiteral("name"), name}});
    QJsonArray metricValues;
    for (const QString& value : values)
        metricValues.append(QJsonObject{{QStringLiteral("value"), value}});
    return QJsonDocument(
               QJsonObject{{QStringLiteral("metricHeaders"), headers},
                           {QStringLiteral("rows"),
                            QJsonArray{QJsonObject{{QStringLiteral("metricValues"), metricValues}}}}})
        .toJson();
}

struct ParseCase {
    const char* name;
    QByteArray body;
    Ga4Report::Result expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class Ga4ReportParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Ga4ReportParseTest, PairsHeadersWithTheFirstRow) {
    EXPECT_EQ(Ga4Report::parse(GetParam().body), GetParam().expected);
}

const QString sessions = QStringLiteral("sessions");
const QString users = QStringLiteral("totalUsers");

INSTANTIATE_TEST_SUITE_P(
    Cases, Ga4ReportParseTest,
    ::testing::Values(
        ParseCase{"realistic_answer",
                  gaData("ga_report_28d.json"),
                  {{sessions, 1234},
                   {users, 987},
                   {QStringLiteral("screenPageViews"), 5600},
                   {QStringLiteral("newUsers"), 321},
                   {QStringLiteral("engagedSessions"), 800},
                   {QStringLiteral("activeUsers"), 950},
                   {QStringLiteral("eventCount"), 14000}}},
        ParseCase{"no_rows", gaData("ga_report_no_rows.json"), {}},
        ParseCase{"empty_rows", R"({"metricHeaders":[{"name":"sessions"}],"rows":[]})", {}},
        ParseCase{"decimal_and_non_numeric_values",
                  report({sessions, users, QStringLiteral("x"), QStringLiteral("y")},
                         {QStringLiteral("12.5"), QStringLiteral("lots"), QStringLiteral("nan"), QString()}),
                  {{sessions, 12.5}, {users, 0}, {QStringLiteral("x"), 0}, {QStringLiteral("y"), 0}}},
        ParseCase{"later_duplicate_wins",
                  report({sessions, sessions}, {QStringLiteral("1"), QStringLiteral("2")}),
                  {{sessions, 2}}},
        ParseCase{
            "fewer_values_than_headers", report({sessions, users}, {QStringLiteral("7")}), {{sessions, 7}}},
        ParseCase{"fewer_headers_than_values",
                  report({sessions}, {QStringLiteral("7"), QStringLiteral("8")}),
                  {{sessions, 7}}},
        ParseCase{"headers_without_name_are_skipped",
                  R"({"metricHeaders":[{"type":"TYPE_INTEGER"},{"name":"sessions"}],
                      "rows":[{"metricValues":[{"value":"5"}]}]})",
                  {{sessions, 5}}},
        ParseCase{"values_without_text_are_skipped",
                  R"({"metricHeaders":[{"name":"sessions"},{"name":"totalUsers"}],
                      "rows":[{"metricValues":[{"value":3},{"value":"4"}]}]})",
                  {{sessions, 4}}},
        ParseCase{"only_the_first_row_counts",
                  R"({"metricHeaders":[{"name":"sessions"}],
                      "rows":[{"metricValues":[{"value":"1"}]},{"metricValues":[{"value":"9"}]}]})",
                  {{sessions, 1}}},
        ParseCase{"not_an_object", "[1,2]", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Ga4Report, BodyThatIsNotJsonIsAParserError) {
    EXPECT_THROW(Ga4Report::parse("<html>quota</html>"), DecodingError);
    EXPECT_THROW(Ga4Report::parse(""), DecodingError);
}

TEST(Ga4MetricValues, WeekOverWeekGrowth) {
    struct Case {
        double users7;
        double priorWeek;
        double growth;
    };
    const Case cases[] = {
        {150, 100, 50}, // a rise
        {80, 100, 0},   // a fall shows as no growth
        {100, 100, 0},  // flat
        {120, 0, 0},    // no prior week to compare with
        {0, 0, 0},      //
        {700, 500, 40}, //
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Ga4MetricValues::usersGrowth(c.users7, c.priorWeek), c.growth)
            << c.users7 << " vs " << c.priorWeek;
}

// With real traffic the 28-day users outnumber the 7-day ones; the growth must come from the two weeks only.
TEST(Ga4MetricValues, GrowthIgnoresTheMonthlyTotal) {
    Ga4MetricValues values;
    values.last28Days = {{users, 500}};
    values.last7Days = {{users, 120}};
    values.priorWeek = {{users, 100}};
    EXPECT_DOUBLE_EQ(values.values().value(MetricKind::usersGrowth), 20);
}

TEST(Ga4MetricValues, SixteenFiguresFromTheReports) {
    Ga4MetricValues values;
    values.last28Days = Ga4Report::parse(gaData("ga_report_28d.json"));
    values.lastTwoDays = {{sessions, 90}, {users, 70}};
    values.last7Days = {{sessions, 300}, {users, 240}};
    values.priorWeek = {{users, 160}};
    const QHash<MetricKind, double> expected{
        {MetricKind::totalVisits, 1234 * 12}, {MetricKind::sessions, 1234},
        {MetricKind::sessionsYesterday, 90},  {MetricKind::sessions7d, 300},
        {MetricKind::pageviews, 5600},        {MetricKind::users, 987},
        {MetricKind::usersYesterday, 70},     {MetricKind::users7d, 240},
        {MetricKind::usersGrowth, 50},        {MetricKind::newUsers, 321},
        {MetricKind::signups, 14000},         {MetricKind::engagedSessions, 800},
        {MetricKind::activeUsers, 950},       {MetricKind::sessionsToday, 90},
        {MetricKind::usersToday, 70},         {MetricKind::pageviewsToday, 200}};
    EXPECT_EQ(values.values(), expected);
    EXPECT_EQ(values.displaySummary(), QStringLiteral("1234 sessions \u00b7 987 users (28d)"));
}

TEST(Ga4MetricValues, EmptyReportsGiveZeros) {
    const QHash<MetricKind, double> figures = Ga4MetricValues{}.values();
    EXPECT_EQ(figures.size(), 16);
    for (auto it = figures.begin(); it != figures.end(); ++it)
        EXPECT_EQ(it.value(), 0.0) << MetricKinds::rawValue(it.key()).toStdString();
    EXPECT_EQ(Ga4MetricValues{}.displaySummary(), QStringLiteral("0 sessions \u00b7 0 users (28d)"));
}

TEST(GoogleAnalyticsProvider, PropertyIdGoesIntoThePathAsOneSegment) {
    const QString base = QStringLiteral("https://analyticsdata.googleapis.com");
    const struct {
        QString stored;
        QByteArray url;
    } cases[] = {
        {QStringLiteral("123456"), "https://analyticsdata.googleapis.com/v1beta/properties/123456:runReport"},
        {QStringLiteral("properties/123456"),
         "https://analyticsdata.googleapis.com/v1beta/properties/123456:runReport"},
        {QStringLiteral("12/../../admin?x=1#f"),
         "https://analyticsdata.googleapis.com/v1beta/properties/12%2F..%2F..%2Fadmin%3Fx%3D1%23f:runReport"},
        {QStringLiteral("properties/1 2"),
         "https://analyticsdata.googleapis.com/v1beta/properties/1%202:runReport"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GoogleAnalyticsProvider::runReportUrl(base, c.stored).toEncoded(), c.url)
            << c.stored.toStdString();
}

class NoBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl&) override { return false; }
};

class GoogleAnalyticsProviderTest : public ::testing::Test {
protected:
    void connected(const char* propertyId = "123456") {
        TestTasks::run(keychain.save(QStringLiteral("1//rt"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(keychain.save(QStringLiteral("at-ok"), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(clock.now().addSecs(3600)),
                                     CredentialAccounts::googleAccessTokenExpiresAt()));
        TestTasks::run(keychain.save(QString::fromUtf8(propertyId), CredentialAccounts::ga4PropertyId()));
    }

    FakeClock clock;
    ScriptedHttpClient http;
    ScriptedRandomSource random;
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ServiceEndpoints endpoints;
    NoBrowser browser;
    GoogleOAuthManager oauth{http,   clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             browser};
    GoogleIntegrationService google{http, keychain, clock, endpoints, oauth};
    GoogleAnalyticsProvider provider{http, keychain, clock, endpoints, google};
};

TEST_F(GoogleAnalyticsProviderTest, RunsTheFourReportsInOrder) {
    connected("properties/777");
    http.enqueue(200, gaData("ga_report_28d.json"));
    http.enqueue(200, report({sessions, users}, {QStringLiteral("90"), QStringLiteral("70")}));
    http.enqueue(200, report({sessions, users}, {QStringLiteral("300"), QStringLiteral("240")}));
    http.enqueue(200, report({users}, {QStringLiteral("160")}));
    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());

    EXPECT_EQ(snapshot.provider, IntegrationProvider::googleAnalytics);
    EXPECT_EQ(snapshot.fetchedAt, clock.now());
    EXPECT_EQ(snapshot.values.size(), 16);
    EXPECT_EQ(snapshot.value(MetricKind::usersGrowth), 50);
    EXPECT_EQ(snapshot.value(MetricKind::sessionsToday), 90);
    EXPECT_EQ(snapshot.displaySummary, QStringLiteral("1234 sessions \u00b7 987 users (28d)"));

    const QList<QJsonObject> expectedBodies{
        QJsonObject{{QStringLiteral("dateRanges"),
                     QJsonArray{QJsonObject{{QStringLiteral("startDate"), QStringLiteral("28daysAgo")},
                                            {QStringLiteral("endDate"), QStringLiteral("today")}}}},
                    {QStringLiteral("metrics"),
                     QJsonArray{QJsonObject{{QStringLiteral("name"), sessions}},
                                QJsonObject{{QStringLiteral("name"), users}},
                                QJsonObject{{QStringLiteral("name"), QStringLiteral("screenPageViews")}},
                                QJsonObject{{QStringLiteral("name"), QStringLiteral("newUsers")}},
                                QJsonObject{{QStringLiteral("name"), QStringLiteral("engagedSessions")}},
                                QJsonObject{{QStringLiteral("name"), QStringLiteral("activeUsers")}},
                                QJsonObject{{QStringLiteral("name"), QStringLiteral("eventCount")}}}}},
        QJsonObject{{QStringLiteral("dateRanges"),
                     QJsonArray{QJsonObject{{QStringLiteral("startDate"), QStringLiteral("2daysAgo")},
                                            {QStringLiteral("endDate"), QStringLiteral("yesterday")}}}},
                    {QStringLiteral("metrics"), QJsonArray{QJsonObject{{QStringLiteral("name"), sessions}},
                                                           QJsonObject{{QStringLiteral("name"), users}}}}},
        QJsonObject{{QStringLiteral("dateRanges"),
                     QJsonArray{QJsonObject{{QStringLiteral("startDate"), QStringLiteral("7daysAgo")},
                                            {QStringLiteral("endDate"), QStringLiteral("today")}}}},
                    {QStringLiteral("metrics"), QJsonArray{QJsonObject{{QStringLiteral("name"), sessions}},
                                                           QJsonObject{{QStringLiteral("name"), users}}}}},
        QJsonObject{{QStringLiteral("dateRanges"),
                     QJsonArray{QJsonObject{{QStringLiteral("startDate"), QStringLiteral("14daysAgo")},
                                            {QStringLiteral("endDate"), QStringLiteral("8daysAgo")}}}},
                    {QStringLiteral("metrics"), QJsonArray{QJsonObject{{QStringLiteral("name"), users}}}}}};
    ASSERT_EQ(http.requests().size(), 4);
    for (int i = 0; i < 4; ++i) {
        const HttpRequest& request = http.requests().at(i);
        EXPECT_EQ(request.method, QByteArrayLiteral("POST"));
        EXPECT_EQ(request.url.toEncoded(),
                  QByteArrayLiteral("https://analyticsdata.googleapis.com/v1beta/properties/777:runReport"));
        EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer at-ok"));
        EXPECT_EQ(request.header("Content-Type"), QByteArrayLiteral("application/json"));
        EXPECT_EQ(QJsonDocument::fromJson(request.body).object(), expectedBodies.at(i)) << i;
    }
}

TEST_F(GoogleAnalyticsProviderTest, NotConfiguredWithoutSignInOrProperty) {
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("Integration not configured."));
    connected("");
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("Integration not configured."));
    EXPECT_TRUE(http.requests().isEmpty());
    EXPECT_TRUE(TestTasks::run(provider.fetchEvents(clock.now())).isEmpty());
}

TEST_F(GoogleAnalyticsProviderTest, AnyFailingReportFailsThePoll) {
    connected();
    http.enqueue(200, gaData("ga_report_28d.json"));
    http.enqueue(429, R"({"error":{"code":429,"message":"Exhausted property tokens"}})");
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()),
              QStringLiteral(R"({"error":{"code":429,"message":"Exhausted property tokens"}})"));
    EXPECT_EQ(http.requests().size(), 2);

    http.clearRequests();
    http.enqueue(500, QByteArray("\xfe", 1));
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("GA4 report failed"));

    http.enqueue(200, "not json");
    EXPECT_THROW(TestTasks::run(provider.fetchMetrics()), DecodingError);
}

// Once against a real server: the path with its colon, the body and the bearer token arrive intact.
TEST(GoogleAnalyticsProviderOverHttp, ReportsFromALocalServer) {
    LocalHttpServer server;
    server.route("POST", "/v1beta/properties/42:runReport",
                 [](const LocalHttpServer::RecordedRequest& request) {
                     const QJsonObject body = QJsonDocument::fromJson(request.body).object();
                     const QString start = body.value(QStringLiteral("dateRanges"))
                                               .toArray()
                                               .first()
                                               .toObject()
                                               .value(QStringLiteral("startDate"))
                                               .toString();
                     const QByteArray users = start == QLatin1String("14daysAgo") ? "50" : "100";
                     return LocalHttpServer::Response::json(
                         200, report({QStringLiteral("sessions"), QStringLiteral("totalUsers")},
                                     {QStringLiteral("10"), QString::fromLatin1(users)}));
                 });
    ServiceEndpoints endpoints;
    endpoints.gaDataApiBase = server.baseUrl();
    QtHttpClient http;
    FakeClock clock;
    ScriptedRandomSource random;
    MemoryCredentialStore credentials;
    KeychainStore keychain(credentials);
    NoBrowser browser;
    GoogleOAuthManager oauth(http, clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             browser);
    GoogleIntegrationService google(http, keychain, clock, endpoints, oauth);
    GoogleAnalyticsProvider provider(http, keychain, clock, endpoints, google);
    TestTasks::run(keychain.save(QStringLiteral("rt"), CredentialAccounts::googleRefreshToken()));
    TestTasks::run(keychain.save(QStringLiteral("at"), CredentialAccounts::googleAccessToken()));
    TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(clock.now().addSecs(600)),
                                 CredentialAccounts::googleAccessTokenExpiresAt()));
    TestTasks::run(keychain.save(QStringLiteral("42"), CredentialAccounts::ga4PropertyId()));

    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());
    EXPECT_EQ(server.requests().size(), 4);
    EXPECT_EQ(server.requests().first().header("Authorization"), QByteArrayLiteral("Bearer at"));
    EXPECT_EQ(snapshot.value(MetricKind::users7d), 100);
    EXPECT_EQ(snapshot.value(MetricKind::usersGrowth), 100);
}

} // namespace
