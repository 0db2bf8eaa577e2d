#include "app/screens/connect/integrations_view.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_symbols.h"
#include "app/screens/connect/connect_header.h"
#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connect_status_dots.h"
#include "app/screens/connect/datafast_connect_panel.h"
#include "app/screens/connect/google_connect_panel.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "app/screens/screen_label.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

IntegrationsView::IntegrationsView(ConnectSession& session, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("integrationsView"));
    // The panel scrolls its tabs, so this is a plain column.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 14);
    column->setSpacing(10);
    column->addWidget(makeHeader());

    column->addWidget(new ZingSectionHeader(
        QStringLiteral("Revenue"), QStringLiteral("Stripe powers purchase triggers and revenue goals.")));
    m_stripe = new StripeConnectPanel(session, shell, this);
    column->addWidget(m_stripe);

    column->addSpacing(4);
    column->addWidget(new ZingSectionHeader(
        QStringLiteral("Website & search analytics"),
        QStringLiteral("Connect Google for GA4 + Search Console, or Datafast for indie analytics.")));
    column->addWidget(
        ScreenLabel::wrapping(QStringLiteral("Google OAuth covers both GA4 and Search Console \u2014 "
                                             "pick a property and/or site after signing in."),
                              ZingFonts::rounded(11), ZingTheme::lime(), this));
    m_google = new GoogleConnectPanel(session, shell, this);
    column->addWidget(m_google);
    column->addWidget(makeDivider());
    m_datafast = new DatafastConnectPanel(session, shell, this);
    column->addWidget(m_datafast);
    column->addWidget(makeFooter());
    column->addStretch(1);

    connect(&m_session.state(), &AppState::integrationsChanged, this, &IntegrationsView::refreshHeader);
    connect(&m_session, &ConnectSession::googleChanged, this, &IntegrationsView::refreshHeader);
    refreshHeader();
}

QWidget* IntegrationsView::makeHeader() {
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    names->addWidget(ScreenLabel::make(QStringLiteral("Data sources"), ZingFonts::rounded(14, QFont::Bold),
                                       ZingTheme::ink(), header));
    m_count = ScreenLabel::make(QString(), ZingFonts::rounded(11), ZingTheme::inkMuted(), header);
    m_count->setObjectName(QStringLiteral("connectedCount"));
    names->addWidget(m_count);
    row->addLayout(names, 1);
    m_dots = new ConnectStatusDots(header);
    row->addWidget(m_dots, 0, Qt::AlignVCenter);
    return header;
}

QWidget* IntegrationsView::makeDivider() {
    auto* divider = new QWidget(this);
    auto* row = new QHBoxLayout(divider);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    const auto line = [divider] {
        auto* rule = new QFrame(divider);
        rule->setFrameShape(QFrame::HLine);
        rule->setFixedHeight(1);
        QPalette palette = rule->palette();
        palette.setColor(QPalette::WindowText, ZingTheme::withOpacity(ZingTheme::ink(), 0.15));
        rule->setPalette(palette);
        return rule;
    };
    row->addWidget(line(), 1);
    row->addWidget(ScreenLabel::make(QStringLiteral("or"), ZingFonts::rounded(11, QFont::DemiBold),
                                     ZingTheme::inkMuted(), divider));
    row->addWidget(line(), 1);
    return divider;
}

QWidget* IntegrationsView::makeFooter() {
    auto* footer = new QWidget(this);
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 4, 0, 0);
    row->setSpacing(6);
    auto* lock = new QLabel(footer);
    lock->setPixmap(ZingSymbols::pixmap(QStringLiteral("lock.shield.fill"), ZingTheme::inkMuted(), 12,
                                        devicePixelRatioF()));
    row->addWidget(lock, 0, Qt::AlignTop);
    row->addWidget(
        ScreenLabel::wrapping(
            QStringLiteral("Credentials live in your system keyring. Zingboard never phones home."),
            ZingFonts::rounded(10), ZingTheme::inkMuted(), footer),
        1);
    return footer;
}

void IntegrationsView::refreshHeader() {
    const ConnectHeader header = ConnectHeader::of(m_session.state());
    m_count->setText(header.countText());
    m_dots->setLit({header.stripeLit, header.googleLit, header.datafastLit});
}
