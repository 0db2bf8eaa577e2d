#include "app/screens/connect/provider_connect_shell.h"

#include "app/components/provider_logo.h"
#include "app/components/zing_capsule_badge.h"
#include "app/components/zing_fonts.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ProviderConnectShell::ProviderConnectShell(IntegrationProvider provider, bool useGoogleMark,
                                           const QString& title, const QString& subtitle, QWidget* parent)
    : ZingCard(parent) {
    contentLayout()->setSpacing(10);
    auto* heading = new QWidget(this);
    auto* row = new QHBoxLayout(heading);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new ProviderLogo(provider, 28, useGoogleMark, heading), 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    m_title = ScreenLabel::wrapping(title, ZingFonts::rounded(13, QFont::Bold), ZingTheme::ink(), heading);
    names->addWidget(m_title);
    names->addWidget(ScreenLabel::wrapping(subtitle, ZingFonts::rounded(11), ZingTheme::inkMuted(), heading));
    row->addLayout(names, 1);
    m_badge = new ZingCapsuleBadge(QStringLiteral("CONNECTED"), ZingTheme::lime(), heading);
    m_badge->setSymbol(QStringLiteral("checkmark.circle.fill"));
    m_badge->setVisible(false);
    row->addWidget(m_badge, 0, Qt::AlignTop);
    heading->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(heading);
}

void ProviderConnectShell::setConnected(bool connected) {
    m_connected = connected;
    m_badge->setVisible(connected);
}
