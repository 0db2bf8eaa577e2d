#include "app/screens/onboarding/onboarding_try_page.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_scroll_area.h"
#include "app/screens/onboarding/onboarding_model.h"
#include "app/screens/onboarding/onboarding_pages.h"
#include "app/screens/onboarding/onboarding_tile.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

OnboardingTryPage::OnboardingTryPage(OnboardingModel& model, QWidget* parent)
    : QWidget(parent), m_model(model),
      m_intro(ScreenLabel::wrapping(QString(), ZingFonts::rounded(12), ZingTheme::inkMuted())),
      m_fire(new ZingPrimaryButton(QStringLiteral("Fire it on my screen"))),
      m_fired(ScreenLabel::wrapping(QString(), ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::lime())) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(24, 18, 24, 12);
    column->setSpacing(12);
    column->addWidget(OnboardingPages::pageTitle("Feel the chaos"));
    m_intro->setAlignment(Qt::AlignHCenter);
    column->addWidget(m_intro);

    const QColor accents[] = {ZingTheme::electricPurple(), ZingTheme::moneyGreen(), ZingTheme::hotPink()};
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    auto* group = new QButtonGroup(this);
    int index = 0;
    for (const OnboardingTrySample& sample : m_model.samples()) {
        auto* tile =
            new OnboardingTile(sample.reaction.emoji, sample.title, sample.subtitle, accents[index++ % 3]);
        group->addButton(tile);
        row->addWidget(tile);
        m_tiles.append(tile);
        connect(tile, &QAbstractButton::clicked, this, [this, id = sample.id] {
            m_model.selectSample(id);
            refresh();
        });
    }
    column->addLayout(row);

    m_fire->setExpands(true);
    m_fire->setSymbol(QStringLiteral("bolt.fill"));
    connect(m_fire, &QPushButton::clicked, this, [this] {
        m_model.fireSelected();
        refresh();
    });
    column->addWidget(m_fire);
    m_fired->setAlignment(Qt::AlignHCenter);
    column->addWidget(m_fired);
    column->addStretch(1);

    auto* scroll = new ZingScrollArea(this);
    scroll->setContent(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    refresh();
}

void OnboardingTryPage::refresh() {
    m_intro->setText(m_model.tryIntroLine());
    const QString selected = m_model.selectedSample().id;
    for (int i = 0; i < m_tiles.size(); ++i)
        m_tiles[i]->setChecked(m_model.samples()[i].id == selected);
    m_fired->setText(m_model.firedMessage());
    m_fired->setVisible(m_model.lastFiredSampleId().has_value());
}
