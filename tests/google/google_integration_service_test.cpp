#include "google/browser_opener.h"
#include "google/google_oauth_error.h"
#include "google/google_oauth_manager.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/service_endpoints.h"
#include "providers/decoding_error.h"
#include "providers/google/google_integration_service.h"
#include "providers/provider_error.h"
#include "support/fake_clock.h"
#include "support/memory_credential_store.h"
#include "support/qt_printers.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"
#include "support/scripted_random_source.h"

#include <QFile>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

QByteArray testData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/google/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test data " << name;
    return file.readAll();
}

class NoBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl&) override { return false; }
};

class GoogleIntegrationServiceTest : public ::testing::Test {
protected:
    void signedIn(const QDateTime& expiry, const char* accessToken = "stored-at") {
        TestTasks::run(keychain.save(QStringLiteral("1//refresh"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(
            keychain.save(QString::fromUtf8(accessToken), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(expiry),
                                     CredentialAccounts::googleAccessTokenExpiresAt()));
    }
    std::optional<QString> stored(const QString& account) { return TestTasks::run(keychain.load(account)); }
    static QByteArray refreshAnswer() { return R"({"access_token":"fresh-at","expires_in":3599})"; }

    FakeClock clock;
    ScriptedHttpClient http;
    ScriptedRandomSource random;
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ServiceEndpoints endpoints;
    NoBrowser browser;
    GoogleOAuthManager oauth{http,   clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             browser};
    GoogleIntegrationService service{http, keychain, clock, endpoints, oauth};
};

TEST_F(GoogleIntegrationServiceTest, PersistWritesTheThreeAccountsWithAWholeSecondUtcExpiry) {
    TestTasks::run(service.persist({QStringLiteral("at"), QStringLiteral("rt"),
                                    QDateTime(QDate(2026, 12, 6), QTime(9, 22, 44, 731), QTimeZone(3600))}));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("at"));
    EXPECT_EQ(stored(CredentialAccounts::googleRefreshToken()), QStringLiteral("rt"));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessTokenExpiresAt()),
              QStringLiteral("2026-12-06T08:22:44Z"));

    // A record without a refresh token leaves the stored one alone.
    TestTasks::run(service.persist({QStringLiteral("at2"), std::nullopt, clock.now()}));
    EXPECT_EQ(stored(CredentialAccounts::googleRefreshToken()), QStringLiteral("rt"));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("at2"));
}

TEST_F(GoogleIntegrationServiceTest, NotSignedInIsNotConfigured) {
    for (const char* refresh : {static_cast<const char*>(nullptr), ""}) {
        if (refresh)
            TestTasks::run(
                keychain.save(QString::fromUtf8(refresh), CredentialAccounts::googleRefreshToken()));
        EXPECT_EQ(TestTasks::failureOf(service.ensureFreshAccessToken()),
                  QStringLiteral("Integration not configured."));
        EXPECT_FALSE(TestTasks::run(service.isSignedIn()));
    }
    EXPECT_TRUE(http.requests().isEmpty());
}

struct ExpiryCase {
    const char* name;
    std::optional<qint64> secondsAhead; // none: the expiry text below is stored as it is
    QString rawExpiry;
    bool accessTokenStored;
    bool refreshes;
};

void PrintTo(const ExpiryCase& c, std::ostream* os) {
    *os << c.name;
}

class ExpiryMarginTest : public GoogleIntegrationServiceTest,
                         public ::testing::WithParamInterface<ExpiryCase> {};

TEST_P(ExpiryMarginTest, RefreshesOnlyWhenNeeded) {
    const ExpiryCase& c = GetParam();
    TestTasks::run(keychain.save(QStringLiteral("1//refresh"), CredentialAccounts::googleRefreshToken()));
    if (c.accessTokenStored)
        TestTasks::run(keychain.save(QStringLiteral("stored-at"), CredentialAccounts::googleAccessToken()));
    TestTasks::run(keychain.save(
        c.secondsAhead ? GoogleOAuthTokens::expiryText(clock.now().addSecs(*c.secondsAhead)) : c.rawExpiry,
        CredentialAccounts::googleAccessTokenExpiresAt()));
    if (c.refreshes)
        http.enqueue(200, refreshAnswer());

    const QString token = TestTasks::run(service.ensureFreshAccessToken());
    EXPECT_EQ(token, c.refreshes ? QStringLiteral("fresh-at") : QStringLiteral("stored-at"));
    EXPECT_EQ(http.requests().size(), c.refreshes ? 1 : 0);
    if (c.refreshes) {
        EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("fresh-at"));
        EXPECT_EQ(stored(CredentialAccounts::googleRefreshToken()), QStringLiteral("1//refresh"));
        EXPECT_EQ(stored(CredentialAccounts::googleAccessTokenExpiresAt()),
                  GoogleOAuthTokens::expiryText(clock.now().addSecs(3599)));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExpiryMarginTest,
                         ::testing::Values(ExpiryCase{"valid_121s_ahead", 121, {}, true, false},
                                           ExpiryCase{"valid_an_hour_ahead", 3600, {}, true, false},
                                           ExpiryCase{"exactly_120s_ahead", 120, {}, true, true},
                                           ExpiryCase{"only_119s_ahead", 119, {}, true, true},
                                           ExpiryCase{"already_expired", -30, {}, true, true},
                                           ExpiryCase{"no_access_token", 3600, {}, false, true},
                                           ExpiryCase{"unreadable_expiry", std::nullopt,
                                                      QStringLiteral("next tuesday"), true, true},
                                           ExpiryCase{"expiry_without_zone", std::nullopt,
                                                      QStringLiteral("2099-01-01T00:00:00"), true, true},
                                           ExpiryCase{"expiry_with_offset", std::nullopt,
                                                      QStringLiteral("2099-01-01T00:00:00+02:00"), true,
                                                      false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoogleIntegrationServiceTest, RejectedRefreshLeavesTheStoredTokens) {
    signedIn(clock.now().addSecs(30));
    http.enqueue(400, R"({"error":"invalid_grant"})");
    EXPECT_EQ(TestTasks::failureOf(service.ensureFreshAccessToken()),
              QStringLiteral(R"({"error":"invalid_grant"})"));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("stored-at"));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessTokenExpiresAt()),
              GoogleOAuthTokens::expiryText(clock.now().addSecs(30)));
}

TEST_F(GoogleIntegrationServiceTest, PropertiesOverTwoPagesSortedAsAWhole) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, testData("account_summaries_page1.json"));
    http.enqueue(200, testData("account_summaries_page2.json"));
    const QList<Ga4PropertyOption> properties = TestTasks::run(service.listGa4Properties());

    ASSERT_EQ(http.requests().size(), 2);
    EXPECT_EQ(http.requests().at(0).url,
              QUrl(QStringLiteral("https://analyticsadmin.googleapis.com/v1beta/accountSummaries")));
    EXPECT_EQ(QUrlQuery(http.requests().at(1).url).queryItems(),
              (QList<QPair<QString, QString>>{{QStringLiteral("pageToken"), QStringLiteral("CgsI-page-2")}}));
    for (const HttpRequest& request : http.requests())
        EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer stored-at"));

    const QString acme = QStringLiteral("Acme Inc");
    const QList<Ga4PropertyOption> expected{
        {QStringLiteral("properties/3002"), QStringLiteral("Alpha blog"), acme},
        {QStringLiteral("properties/4001"), QStringLiteral("alpha blog"), std::nullopt},
        {QStringLiteral("properties/3001"), QStringLiteral("beta shop"), acme},
        {QStringLiteral("properties/4002"), QStringLiteral("properties/4002"), std::nullopt}};
    EXPECT_EQ(properties, expected);
}

TEST_F(GoogleIntegrationServiceTest, EqualNamesKeepTheApiOrder) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, R"({"accountSummaries":[{"displayName":"A","propertySummaries":[
        {"property":"properties/1","displayName":"beta"},
        {"property":"properties/2","displayName":"Alpha"},
        {"property":"properties/3","displayName":"alpha"}]}]})");
    QStringList ids;
    for (const Ga4PropertyOption& option : TestTasks::run(service.listGa4Properties()))
        ids.append(option.id);
    EXPECT_EQ(ids, (QStringList{QStringLiteral("properties/2"), QStringLiteral("properties/3"),
                                QStringLiteral("properties/1")}));
}

TEST_F(GoogleIntegrationServiceTest, EmptyPageTokenEndsTheListing) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, R"({"accountSummaries":[],"nextPageToken":""})");
    EXPECT_TRUE(TestTasks::run(service.listGa4Properties()).isEmpty());
    EXPECT_EQ(http.requests().size(), 1);
}

TEST_F(GoogleIntegrationServiceTest, RepeatedPageTokenEndsTheListing) {
    signedIn(clock.now().addSecs(3600));
    http.setHandler([](const HttpRequest&) {
        return HttpResponse{200, {}, R"({"accountSummaries":[],"nextPageToken":"same"})"};
    });
    TestTasks::run(service.listGa4Properties());
    EXPECT_EQ(http.requests().size(), 2);
}

struct ListingFailure {
    const char* name;
    int status;
    QByteArray body;
    QString description;
};

void PrintTo(const ListingFailure& c, std::ostream* os) {
    *os << c.name;
}

class PropertyListingFailureTest : public GoogleIntegrationServiceTest,
                                   public ::testing::WithParamInterface<ListingFailure> {};

TEST_P(PropertyListingFailureTest, FailsWithTheRightTextAndNothingPartial) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, testData("account_summaries_page1.json"));
    http.enqueue(GetParam().status, GetParam().body);
    EXPECT_EQ(TestTasks::failureOf(service.listGa4Properties()), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PropertyListingFailureTest,
    ::testing::Values(
        ListingFailure{"forbidden_gives_the_hint", 403,
                       R"({"error":{"code":403,"status":"PERMISSION_DENIED"}})",
                       QStringLiteral("Enable Google Analytics Admin API in your Google Cloud project.")},
        ListingFailure{"unauthorized_gives_googles_body", 401,
                       R"({"error":{"code":401,"status":"UNAUTHENTICATED"}})",
                       QStringLiteral(R"({"error":{"code":401,"status":"UNAUTHENTICATED"}})")},
        ListingFailure{"non_utf8_error_body", 500, QByteArray("\xff", 1),
                       QStringLiteral("GA4 property list failed")},
        ListingFailure{"not_an_http_status", 0, QByteArray(), QStringLiteral("Unexpected API response.")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoogleIntegrationServiceTest, PropertyPageThatIsNotJsonIsAParserError) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, "<html>");
    EXPECT_THROW(TestTasks::run(service.listGa4Properties()), DecodingError);
}

TEST_F(GoogleIntegrationServiceTest, ListingRefreshesAnExpiringTokenFirst) {
    signedIn(clock.now().addSecs(60));
    http.enqueue(200, refreshAnswer());
    http.enqueue(200, R"({"siteEntry":[]})");
    EXPECT_TRUE(TestTasks::run(service.listGscSites()).isEmpty());
    ASSERT_EQ(http.requests().size(), 2);
    EXPECT_EQ(http.requests().at(1).header("Authorization"), QByteArrayLiteral("Bearer fresh-at"));
}

TEST_F(GoogleIntegrationServiceTest, SitesAreSortedAndEntriesWithoutAddressSkipped) {
    signedIn(clock.now().addSecs(3600));
    http.enqueue(200, testData("sites.json"));
    const QList<GscSiteOption> sites = TestTasks::run(service.listGscSites());
    EXPECT_EQ(http.lastRequest().url, QUrl(QStringLiteral("https://www.googleapis.com/webmasters/v3/sites")));
    EXPECT_EQ(http.lastRequest().method, QByteArrayLiteral("GET"));
    const QList<GscSiteOption> expected{
        {QStringLiteral("https://app.example.com/"), std::nullopt},
        {QStringLiteral("https://Blog.example.com/"), QStringLiteral("siteFullUser")},
        {QStringLiteral("sc-domain:zeta.example"), QStringLiteral("siteOwner")}};
    EXPECT_EQ(sites, expected);
}

TEST_F(GoogleIntegrationServiceTest, SiteAnswersOfOtherShapes) {
    signedIn(clock.now().addSecs(3600));
    for (const QByteArray& body : {QByteArray("{}"), QByteArray("[]"), QByteArray(R"({"siteEntry":{}})"),
                                   QByteArray(R"({"siteEntry":[{"siteUrl":"a"},7]})")}) {
        http.enqueue(200, body);
        EXPECT_TRUE(TestTasks::run(service.listGscSites()).isEmpty()) << body.toStdString();
    }
    http.enqueue(403, "forbidden");
    EXPECT_EQ(TestTasks::failureOf(service.listGscSites()), QStringLiteral("forbidden"));
    http.enqueue(500, QByteArray("\xff", 1));
    EXPECT_EQ(TestTasks::failureOf(service.listGscSites()),
              QStringLiteral("Search Console site list failed"));
}

} // namespace
