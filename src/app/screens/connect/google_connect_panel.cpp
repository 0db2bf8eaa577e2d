#include "app/screens/connect/google_connect_panel.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/google_resource_picker.h"
#include "app/screens/connect/integration_help_link.h"
#include "app/screens/connect/integration_links.h"
#include "app/screens/screen_label.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QWidget* section(QWidget* parent, QVBoxLayout*& layout) {
    auto* widget = new QWidget(parent);
    layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return widget;
}

} // namespace

GoogleConnectPanel::GoogleConnectPanel(ConnectSession& session, ShellActions& shell, QWidget* parent)
    : ProviderConnectShell(
          IntegrationProvider::googleAnalytics, true, QStringLiteral("Google Analytics & Search Console"),
          QStringLiteral("One OAuth sign-in \u2014 pick a GA4 property and/or GSC site."), parent),
      m_session(session) {
    setObjectName(QStringLiteral("googleConnectPanel"));
    m_noClient = makeNoClient(shell);
    m_signedOut = makeSignedOut();
    m_signedIn = makeSignedIn();
    addWidget(m_noClient);
    addWidget(m_signedOut);
    addWidget(m_signedIn);
    m_error = ScreenLabel::wrapping(QString(), ZingFonts::rounded(11), ZingTheme::warning(), this);
    m_error->setObjectName(QStringLiteral("connectError"));
    addWidget(m_error);

    connect(&m_session, &ConnectSession::googleChanged, this, &GoogleConnectPanel::refresh);
    connect(&m_session.state(), &AppState::settingsChanged, this, &GoogleConnectPanel::refresh);
    connect(&m_session.state(), &AppState::integrationsChanged, this, &GoogleConnectPanel::refresh);
    refresh();
    // The engine reads the sign-in at launch only when a Google service is chosen.
    m_session.checkGoogleSignIn();
}

QString GoogleConnectPanel::noClientText() {
    return QStringLiteral(
        "Add ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID to the CMake cache or the environment using a "
        "Desktop app OAuth client (not Web). No redirect URI needed \u2014 the app uses "
        "http://127.0.0.1 loopback.");
}

QWidget* GoogleConnectPanel::makeNoClient(ShellActions& shell) {
    QVBoxLayout* layout = nullptr;
    QWidget* widget = section(this, layout);
    layout->addWidget(ScreenLabel::make(QStringLiteral("Google OAuth client ID required"),
                                        ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink(), widget));
    layout->addWidget(
        ScreenLabel::wrapping(noClientText(), ZingFonts::rounded(11), ZingTheme::inkMuted(), widget));
    m_consoleLink = new IntegrationHelpLink(QStringLiteral("Open Google Cloud Console"), {},
                                            IntegrationLinks::googleCloudApiLibrary(), shell, widget);
    layout->addWidget(m_consoleLink);
    return widget;
}

QWidget* GoogleConnectPanel::makeSignedOut() {
    QVBoxLayout* layout = nullptr;
    QWidget* widget = section(this, layout);
    layout->addWidget(ScreenLabel::wrapping(
        QStringLiteral(
            "Sign in with Google in your browser, then pick a GA4 property and/or Search Console site."),
        ZingFonts::rounded(11), ZingTheme::inkMuted(), widget));
    m_connect = new ZingPrimaryButton(QStringLiteral("Connect with Google"), widget);
    connect(m_connect, &QPushButton::clicked, this, [this] { m_session.authorizeGoogle(); });
    layout->addWidget(m_connect, 0, Qt::AlignLeft);
    return widget;
}

QWidget* GoogleConnectPanel::makeSignedIn() {
    QVBoxLayout* layout = nullptr;
    QWidget* widget = section(this, layout);
    m_loading = ScreenLabel::make(QStringLiteral("Loading properties & sites\u2026"), ZingFonts::rounded(11),
                                  ZingTheme::inkMuted(), widget);
    layout->addWidget(m_loading);
    m_expired = ScreenLabel::wrapping(
        QStringLiteral("Google session expired \u2014 reconnect to refresh your property list."),
        ZingFonts::rounded(11, QFont::DemiBold), ZingTheme::warning(), widget);
    layout->addWidget(m_expired);
    m_properties =
        new GoogleResourcePicker(QStringLiteral("GA4 property"), QStringLiteral("Select a property"), widget);
    m_sites = new GoogleResourcePicker(QStringLiteral("Search Console site"), QStringLiteral("Select a site"),
                                       widget);
    connect(m_properties, &GoogleResourcePicker::selected, this,
            [this](const QString& id) { m_session.chooseGa4Property(id); });
    connect(m_sites, &GoogleResourcePicker::selected, this,
            [this](const QString& url) { m_session.chooseGscSite(url); });
    layout->addWidget(m_properties);
    layout->addWidget(m_sites);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* reconnect = new ZingSecondaryButton(QStringLiteral("Reconnect Google"), widget);
    reconnect->setSymbol(QStringLiteral("arrow.triangle.2.circlepath"));
    auto* disconnect = new ZingSecondaryButton(QStringLiteral("Disconnect Google"), widget);
    disconnect->setSymbol(QStringLiteral("xmark"));
    m_reconnect = reconnect;
    m_disconnect = disconnect;
    connect(m_reconnect, &QPushButton::clicked, this, [this] { m_session.authorizeGoogle(); });
    connect(m_disconnect, &QPushButton::clicked, this, [this] { m_session.disconnectGoogle(); });
    buttons->addWidget(m_reconnect);
    buttons->addWidget(m_disconnect);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return widget;
}

GooglePanelState GoogleConnectPanel::panelState() const {
    return {m_session.googleConfigured(), m_session.googleSignedIn(), m_session.google().authorizing};
}

void GoogleConnectPanel::refresh() {
    const GooglePanelState state = panelState();
    // List again whenever the panel comes to the signed-in section: the lists may have changed since it was
    // last open, and the sign-in read at launch can answer after the panel opened.
    const bool cameSignedIn =
        state.section() == GooglePanelState::Section::signedIn && m_shownSection != state.section();
    m_shownSection = state.section();
    const ConnectSession::GoogleConnect& google = m_session.google();
    const GoogleIntegrationMetadata& chosen = m_session.state().settings().googleIntegration;
    setConnected(chosen.gaPropertyId.has_value() || chosen.gscSiteUrl.has_value());
    m_noClient->setVisible(state.section() == GooglePanelState::Section::noClient);
    m_signedOut->setVisible(state.section() == GooglePanelState::Section::signedOut);
    m_signedIn->setVisible(state.section() == GooglePanelState::Section::signedIn);

    m_connect->setText(state.connectLabel());
    m_connect->setEnabled(state.canConnect());
    m_reconnect->setEnabled(state.canConnect());
    m_disconnect->setEnabled(!google.authorizing);
    m_loading->setVisible(google.loading);
    m_expired->setVisible(google.sessionExpired);

    QList<GoogleResourcePicker::Option> properties;
    for (const Ga4PropertyOption& option : google.properties)
        properties.append({option.id, option.name});
    m_properties->setOptions(properties, chosen.gaPropertyName ? chosen.gaPropertyName : chosen.gaPropertyId);
    QList<GoogleResourcePicker::Option> sites;
    for (const GscSiteOption& option : google.sites)
        sites.append({option.siteUrl, option.siteUrl});
    m_sites->setOptions(sites, chosen.gscSiteUrl);

    const bool showsError = state.section() != GooglePanelState::Section::noClient && google.errorMessage;
    m_error->setText(showsError ? *google.errorMessage : QString());
    m_error->setVisible(showsError);
    if (cameSignedIn)
        m_session.loadGoogleResources();
}
