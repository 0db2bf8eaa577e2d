#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/integrations_view.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "engine/google_connect_flow.h"
#include "gallery/gallery.h"
#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "google/google_oauth_tokens.h"
#include "model/credential_accounts.h"
#include "net/service_endpoints.h"
#include "providers/google/google_integration_service.h"
#include "providers/provider_error.h"
#include "support/scripted_http_client.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The Connect tab over its own session; the session goes with the view.
IntegrationsView* connectTab(GalleryFixture& f) {
    auto* session = new ConnectSession(f.state());
    auto* view = new IntegrationsView(*session, f.shell);
    session->setParent(view);
    return view;
}

ConnectSession& sessionOf(IntegrationsView* view) {
    return *view->findChild<ConnectSession*>();
}

class NoBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl&) override { return true; }
};

// The Connect tab with a Google client configured; Google's answers come from `answers` at once. The view
// goes first, as it refers to the rest.
class GoogleTabPage : public QWidget {
public:
    GoogleTabPage(GalleryFixture& f, ScriptedHttpClient::Handler answers)
        : m_oauth(m_http, f.clock, f.random, m_endpoints, GoogleOAuthConfig{QStringLiteral("gallery"), {}},
                  m_browser),
          m_google(m_http, f.keychain, f.clock, m_endpoints, m_oauth), m_flow(f.state(), m_oauth, m_google),
          m_session(f.state(), &m_flow) {
        m_http.setHandler(std::move(answers));
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        m_view = new IntegrationsView(m_session, f.shell, this);
        layout->addWidget(m_view);
    }
    ~GoogleTabPage() override { delete m_view; }
    ConnectSession& session() { return m_session; }

private:
    ScriptedHttpClient m_http;
    ServiceEndpoints m_endpoints;
    NoBrowser m_browser;
    GoogleOAuthManager m_oauth;
    GoogleIntegrationService m_google;
    GoogleConnectFlow m_flow;
    ConnectSession m_session;
    IntegrationsView* m_view = nullptr;
};

void signIn(GalleryFixture& f, bool expired) {
    f.keychain.save(QStringLiteral("1//gallery"), CredentialAccounts::googleRefreshToken());
    f.keychain.save(QStringLiteral("gallery"), CredentialAccounts::googleAccessToken());
    f.keychain.save(GoogleOAuthTokens::expiryText(f.clock.now().addSecs(expired ? -60 : 3600)),
                    CredentialAccounts::googleAccessTokenExpiresAt());
}

HttpResponse googleAnswer(const HttpRequest& request) {
    const QString path = request.url.path();
    if (path.endsWith(QLatin1String("/token")))
        return {
            400, {}, R"({"error":"invalid_grant","error_description":"Token has been expired or revoked."})"};
    if (path.endsWith(QLatin1String("/accountSummaries")))
        return {200,
                {},
                R"({"accountSummaries":[{"displayName":"Acme","propertySummaries":[
                   {"property":"properties/123456","displayName":"Acme Shop"},
                   {"property":"properties/777","displayName":"Acme Blog"}]}]})"};
    if (path.endsWith(QLatin1String("/sites")))
        return {
            200, {}, R"({"siteEntry":[{"siteUrl":"sc-domain:acme.example","permissionLevel":"siteOwner"}]})"};
    return {404, {}, {}};
}

} // namespace

ZINGBOARD_GALLERY_AREA(connect) {
    // Tall enough for the whole tab; the panel scrolls it.
    const QSize tab(380, 1240);
    gallery.add(
        {QStringLiteral("connect-tab-empty"), tab, [](GalleryFixture& f) { return connectTab(f); }, false});
    gallery.add({QStringLiteral("connect-tab-stripe-connected"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     // The fake check answers at once.
                     sessionOf(view).connectStripe(QStringLiteral("rk_live_gallery"));
                     return view;
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-stripe-replacing-error"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     sessionOf(view).connectStripe(QStringLiteral("rk_live_gallery"));
                     f.settle();
                     f.validator.error = std::make_exception_ptr(ProviderError::apiError(
                         QStringLiteral("Stripe rejected that key. Check permissions and try again.")));
                     StripeConnectPanel* stripe = view->stripePanel();
                     stripe->connectedActions()->replaceButton()->click();
                     stripe->keyField()->setText(QStringLiteral("sk_live_typo"));
                     stripe->submit();
                     f.focus = stripe->keyField();
                     return view;
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-google-signed-out"), tab,
                 [](GalleryFixture& f) { return new GoogleTabPage(f, googleAnswer); }, false});
    gallery.add({QStringLiteral("connect-tab-google-signed-in"), tab,
                 [](GalleryFixture& f) {
                     signIn(f, false);
                     auto* page = new GoogleTabPage(f, googleAnswer);
                     // The choice is offered once the sign-in is read and the lists are in.
                     f.settle();
                     page->session().chooseGa4Property(QStringLiteral("properties/123456"));
                     return page;
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-google-expired"), tab,
                 [](GalleryFixture& f) {
                     signIn(f, true);
                     return new GoogleTabPage(f, googleAnswer);
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-datafast-connected"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     sessionOf(view).connectDatafast(QStringLiteral("df_gallery"),
                                                     QStringLiteral("zingboard.app"));
                     return view;
                 },
                 false});
}
