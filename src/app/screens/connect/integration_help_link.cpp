#include "app/screens/connect/integration_help_link.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_symbols.h"
#include "app/screens/screen_label.h"
#include "app/shell/shell_actions.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

IntegrationHelpLink::IntegrationHelpLink(const QString& title, const QStringList& steps, const QUrl& url,
                                         ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_url(url) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    // A tool button rather than a rich-text anchor: it takes Tab focus and Space/Enter like any button.
    m_link = new QToolButton(this);
    m_link->setText(title);
    m_link->setToolTip(url.host());
    m_link->setAutoRaise(true);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setFocusPolicy(Qt::StrongFocus);
    m_link->setFont(ZingFonts::rounded(12, QFont::DemiBold));
    m_link->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QPalette palette = m_link->palette();
    palette.setColor(QPalette::ButtonText, ZingTheme::lime());
    m_link->setPalette(palette);
    connect(m_link, &QToolButton::clicked, this, [this, &shell] { shell.openUrl(m_url); });
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    row->addWidget(m_link);
    auto* arrow = new QLabel(this);
    arrow->setPixmap(
        ZingSymbols::pixmap(QStringLiteral("arrow.up.right"), ZingTheme::lime(), 11, devicePixelRatioF()));
    row->addWidget(arrow);
    row->addStretch(1);
    column->addLayout(row);
    // Single lines: the steps are short, and wrapped labels in nested layouts ask for more height than
    // they use.
    for (const QString& step : numberedSteps(steps))
        column->addWidget(ScreenLabel::make(step, ZingFonts::rounded(11), ZingTheme::inkMuted(), this));
}

QStringList IntegrationHelpLink::numberedSteps(const QStringList& steps) {
    QStringList numbered;
    for (qsizetype i = 0; i < steps.size(); ++i)
        numbered.append(QString::number(i + 1) + QStringLiteral(". ") + steps.at(i));
    return numbered;
}
