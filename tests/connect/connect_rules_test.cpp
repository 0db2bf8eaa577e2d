#include "app/screens/connect/connect_header.h"
#include "app/screens/connect/credential_panel_state.h"
#include "app/screens/connect/google_panel_state.h"
#include "app/screens/connect/integration_help_link.h"
#include "app/screens/connect/integration_links.h"
#include "connect_fixture.h"
#include "model/credential_accounts.h"
#include "providers/provider_error.h"
#include "support/qt_printers.h"

#include "support/run_task.h"

#include <QTest>
#include <QUrlQuery>

namespace {

TEST(CredentialPanelStateRules, FormLabelsCancelAndErrorFollowTheState) {
    const QString connect = QStringLiteral("Connect Stripe");
    const std::optional<QString> none;
    const QString problem = QStringLiteral("Stripe key should start with sk_ or rk_");
    const struct {
        const char* name;
        CredentialPanelState state;
        bool form;
        QString label;
        bool canSubmit;
        bool cancel;
        std::optional<QString> error;
    } cases[] = {
        {"first start", {false, false, false, none}, true, connect, true, false, none},
        {"checking a first key",
         {false, false, true, none},
         true,
         QStringLiteral("Validating\u2026"),
         false,
         false,
         none},
        {"first key rejected", {false, false, false, problem}, true, connect, true, false, problem},
        {"connected", {true, false, false, none}, false, connect, false, false, none},
        // An old error is not shown over the connected actions.
        {"connected after an error", {true, false, false, problem}, false, connect, false, false, none},
        {"replacing", {true, true, false, none}, true, QStringLiteral("Update key"), true, true, none},
        {"checking a replacement",
         {true, true, true, none},
         true,
         QStringLiteral("Validating\u2026"),
         false,
         true,
         none},
        {"replacement rejected",
         {true, true, false, problem},
         true,
         QStringLiteral("Update key"),
         true,
         true,
         problem},
        {"empty error text", {false, false, false, QString()}, true, connect, true, false, none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.state.showsForm(), c.form) << c.name;
        if (c.form) {
            EXPECT_EQ(c.state.submitLabel(connect), c.label) << c.name;
        }
        EXPECT_EQ(c.state.canSubmit(), c.canSubmit) << c.name;
        EXPECT_EQ(c.state.showsCancel(), c.cancel) << c.name;
        EXPECT_EQ(c.state.shownError(), c.error) << c.name;
    }
    // Cancel is shown while a replacement is checked, but cannot interrupt it.
    EXPECT_FALSE((CredentialPanelState{true, true, true, none}.canCancel()));
}

TEST(IntegrationLinksAddresses, FixedPathsAndTheReadOnlyKeyQueryUnderAnyBase) {
    const QUrl stripe = IntegrationLinks::stripeApiKeyCreation(QStringLiteral("http://127.0.0.1:9/"));
    EXPECT_EQ(stripe.toString(QUrl::FullyEncoded),
              QStringLiteral("http://127.0.0.1:9/apikeys/create?name=Zingboard"
                             "&permissions%5B%5D=rak_charge_read&permissions%5B%5D=rak_subscription_read"
                             "&permissions%5B%5D=rak_plan_read&permissions%5B%5D=rak_product_read"));
    // What the dashboard reads back: one name and four repeated permissions.
    const QUrlQuery query(stripe);
    QStringList permissions;
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key == QStringLiteral("permissions[]"))
            permissions.append(value);
    }
    EXPECT_EQ(permissions.size(), 4);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("name")), QStringLiteral("Zingboard"));

    EXPECT_EQ(IntegrationLinks::datafastApiDocs(QStringLiteral("https://df.example")).toString(),
              QStringLiteral("https://df.example/docs/api"));
    EXPECT_EQ(IntegrationLinks::googleCloudApiLibrary(QStringLiteral("https://cloud.example//")).toString(),
              QStringLiteral("https://cloud.example/apis/library"));
    // The build's own addresses are valid https pages.
    for (const QUrl& url : {IntegrationLinks::stripeApiKeyCreation(), IntegrationLinks::datafastApiDocs(),
                            IntegrationLinks::googleCloudApiLibrary()}) {
        EXPECT_TRUE(url.isValid()) << qPrintable(url.toString());
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
    }
}

TEST(IntegrationHelpLinkSteps, NumberedFromOne) {
    EXPECT_EQ(IntegrationHelpLink::numberedSteps({QStringLiteral("a"), QStringLiteral("b")}),
              (QStringList{QStringLiteral("1. a"), QStringLiteral("2. b")}));
    EXPECT_TRUE(IntegrationHelpLink::numberedSteps({}).isEmpty());
}

class ConnectHeaderTest : public ConnectTest {};

TEST_F(ConnectHeaderTest, FirstStartCountsNothingAndLightsNoDot) {
    const ConnectHeader header = ConnectHeader::of(state());
    EXPECT_EQ(header.countText(), QStringLiteral("0 of 3 connected"));
    EXPECT_FALSE(header.stripeLit || header.googleLit || header.datafastLit);
}

TEST_F(ConnectHeaderTest, GoogleCountsOnceAndTheDemoNotAtAll) {
    AppSettings settings = state().settings();
    settings.demoModeEnabled = true;
    settings.googleIntegration.gaPropertyId = QStringLiteral("123");
    settings.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
    state().setSettings(settings);
    store(CredentialAccounts::googleRefreshToken(), QStringLiteral("refresh"));
    TestTasks::run(state().syncGoogleIntegrationState());
    ASSERT_TRUE(session().connectDatafast(QStringLiteral("df_k"), QStringLiteral("site")));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::datafast).busy; }, 20000));

    TestTasks::run(state().refreshGoogleSignIn());
    const ConnectHeader header = ConnectHeader::of(state());
    EXPECT_EQ(header.countText(), QStringLiteral("2 of 3 connected"));
    EXPECT_FALSE(header.stripeLit);
    EXPECT_TRUE(header.googleLit);
    EXPECT_TRUE(header.datafastLit);
}

class ConnectSessionTest : public ConnectTest {};

TEST_F(ConnectSessionTest, KeysAreStoredAndCheckedTrimmed) {
    ASSERT_TRUE(session().connectStripe(QStringLiteral("  sk_test_abc \r\n")));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_test_abc"));
    ASSERT_TRUE(session().connectDatafast(QStringLiteral("\tdf_key "), QStringLiteral(" site-1\n")));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::datafast).busy; }, 20000));
    EXPECT_EQ(stored(CredentialAccounts::datafastApiKey()), QStringLiteral("df_key"));
    EXPECT_EQ(stored(CredentialAccounts::datafastWebsiteId()), QStringLiteral("site-1"));
    EXPECT_EQ(validator.checked,
              (QList<IntegrationProvider>{IntegrationProvider::stripe, IntegrationProvider::datafast}));
    EXPECT_EQ(state().integration(IntegrationProvider::datafast).label, QStringLiteral("site-1"));
    EXPECT_EQ(state().integration(IntegrationProvider::stripe).label, QStringLiteral("Stripe connected"));
}

TEST_F(ConnectSessionTest, ASecondConnectWhileTheFirstIsCheckedIsNotStarted) {
    validator.gate.close();
    QList<bool> finished;
    QObject::connect(&session(), &ConnectSession::keyConnectFinished, &session(),
                     [&finished](IntegrationProvider, bool ok) { finished.append(ok); });
    ASSERT_TRUE(session().connectStripe(QStringLiteral("sk_first")));
    EXPECT_TRUE(session().keyConnect(IntegrationProvider::stripe).busy);
    EXPECT_FALSE(session().connectStripe(QStringLiteral("sk_second")));
    // Another source is not held up by it.
    EXPECT_TRUE(session().connectDatafast(QStringLiteral("df_x"), QStringLiteral("w")));
    // Both reach the check once the keyring has stored their keys.
    ASSERT_TRUE(QTest::qWaitFor([this] { return validator.checked.size() == 2; }, 20000));
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_first"));
    validator.gate.open();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::datafast).busy; }, 20000));
    EXPECT_EQ(validator.checked.count(IntegrationProvider::stripe), 1);
    EXPECT_EQ(finished, (QList<bool>{true, true}));
    EXPECT_FALSE(session().keyConnect(IntegrationProvider::stripe).busy);
    EXPECT_TRUE(connected(IntegrationProvider::stripe));
}

TEST_F(ConnectSessionTest, ARejectedReplacementKeepsTheWorkingKeyAndReportsTheCheck) {
    ASSERT_TRUE(session().connectStripe(QStringLiteral("sk_working")));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    const QString rejected = QStringLiteral("Stripe rejected that key. Check permissions and try again.");
    validator.error = std::make_exception_ptr(ProviderError::apiError(rejected));
    ASSERT_TRUE(session().connectStripe(QStringLiteral("sk_typo")));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    EXPECT_EQ(session().keyConnect(IntegrationProvider::stripe).errorMessage, rejected);
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_working"));
    EXPECT_TRUE(connected(IntegrationProvider::stripe));

    // The next attempt starts without the old error; a disconnect removes key and record.
    validator.error = nullptr;
    validator.gate.close();
    session().connectStripe(QStringLiteral("sk_better"));
    EXPECT_EQ(session().keyConnect(IntegrationProvider::stripe).errorMessage, std::nullopt);
    // No disconnect in the middle of a check: it would be undone by the check's end.
    session().disconnect(IntegrationProvider::stripe);
    EXPECT_TRUE(connected(IntegrationProvider::stripe));
    validator.gate.open();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    session().disconnect(IntegrationProvider::stripe);
    EXPECT_FALSE(connected(IntegrationProvider::stripe));
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), std::nullopt);
}

} // namespace

namespace {

TEST(GooglePanelStateRules, SectionsAndTheSignInButton) {
    using Section = GooglePanelState::Section;
    const struct {
        GooglePanelState state;
        Section section;
        QString label;
        bool canConnect;
    } cases[] = {
        {{false, false, false}, Section::noClient, QStringLiteral("Connect with Google"), true},
        // A stored sign-in is of no use without a client to refresh it.
        {{false, true, false}, Section::noClient, QStringLiteral("Connect with Google"), true},
        {{true, false, false}, Section::signedOut, QStringLiteral("Connect with Google"), true},
        {{true, false, true}, Section::signedOut, QStringLiteral("Opening browser\u2026"), false},
        {{true, true, true}, Section::signedIn, QStringLiteral("Opening browser\u2026"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.state.section(), c.section);
        EXPECT_EQ(c.state.connectLabel(), c.label);
        EXPECT_EQ(c.state.canConnect(), c.canConnect);
    }
}

TEST(GooglePanelStateRules, FailuresReadAsTheUserShouldSeeThem) {
    const struct {
        const char* description;
        bool cancelled;
        bool listing;
        bool shown;
        bool expired;
        // What the panel shows, when not the description itself.
        const char* shownAs = nullptr;
    } cases[] = {
        {"Google sign-in was cancelled.", true, false, false, false},
        {"Google denied access: access_denied", false, false, true, false},
        {R"({"error":"invalid_grant"})", false, true, true, true, "Google answered: invalid_grant"},
        {R"({"error":"invalid_grant","error_description":"Token has been expired or revoked."})", false, true,
         true, true, "Google answered: Token has been expired or revoked. (invalid_grant)"},
        {R"({"error":{"code":403,"message":"Admin API has not been used.","status":"PERMISSION_DENIED"}})",
         false, true, true, false, "Google answered: Admin API has not been used."},
        {"INVALID_GRANT", false, true, true, true},
        {"Invalid_Grant: token revoked", false, true, true, true},
        {"Token refresh failed (400)", false, true, true, true},
        // Only the exact phrase counts; other errors are shown without the warning.
        {"token refresh failed", false, true, true, false},
        {"Enable Google Analytics Admin API in your Google Cloud project.", false, true, true, false},
        // JSON that is not an error object stays as it came.
        {R"(["invalid_grant"])", false, true, true, true},
    };
    for (const auto& c : cases) {
        const QString description = QString::fromUtf8(c.description);
        const GooglePanelState::Failure failure =
            c.listing ? GooglePanelState::listingFailure(description)
                      : GooglePanelState::signInFailure(description, c.cancelled);
        EXPECT_EQ(failure.message.has_value(), c.shown) << c.description;
        if (c.shown) {
            EXPECT_EQ(failure.message, c.shownAs ? QString::fromUtf8(c.shownAs) : description)
                << c.description;
        }
        EXPECT_EQ(failure.sessionExpired, c.expired) << c.description;
    }
    // An error page is cut to a few lines.
    const QString page = QStringLiteral("<html>") + QString(5000, QLatin1Char('x'));
    EXPECT_LT(GooglePanelState::listingFailure(page).message->size(), 300);
}

} // namespace
