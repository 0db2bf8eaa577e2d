#include "app/screens/connect/connected_actions.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_secondary_button.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ConnectedActions::ConnectedActions(const QString& detail, const QString& replaceLabel,
                                   std::function<void()> onReplace, std::function<void()> onDisconnect,
                                   QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_detail = ScreenLabel::wrapping(detail, ZingFonts::rounded(11), ZingTheme::inkMuted(), this);
    column->addWidget(m_detail);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    auto* replace = new ZingSecondaryButton(replaceLabel, this);
    replace->setSymbol(QStringLiteral("arrow.triangle.2.circlepath"));
    auto* disconnect = new ZingSecondaryButton(QStringLiteral("Disconnect"), this);
    disconnect->setSymbol(QStringLiteral("xmark"));
    m_replace = replace;
    m_disconnect = disconnect;
    row->addWidget(m_replace);
    row->addWidget(m_disconnect);
    row->addStretch(1);
    column->addLayout(row);
    connect(m_replace, &QPushButton::clicked, this, [onReplace = std::move(onReplace)] { onReplace(); });
    connect(m_disconnect, &QPushButton::clicked, this,
            [onDisconnect = std::move(onDisconnect)] { onDisconnect(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ConnectedActions::setDetail(const QString& detail) {
    m_detail->setText(detail);
}
