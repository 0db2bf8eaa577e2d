#include "app/screens/reaction/sound_picker.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_menu_picker.h"
#include "app/components/zing_secondary_button.h"
#include "engine/sound_player.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SoundPicker::SoundPicker(SoundPlayer& player, QWidget* parent) : QWidget(parent), m_player(player) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* column = new QVBoxLayout;
    column->setSpacing(2);

    auto* menu = new ZingMenuPicker(this);
    menu->setTint(ZingTheme::lime());
    m_menu = menu;
    m_menu->setAccessibleName(QStringLiteral("Sound"));
    for (SoundEffect effect : SoundEffects::allCases())
        m_menu->addItem(SoundEffects::title(effect), QVariant::fromValue(int(effect)));
    column->addWidget(m_menu);

    m_subtitle = new QLabel(this);
    m_subtitle->setFont(ZingFonts::rounded(9));
    QPalette subtitlePalette = m_subtitle->palette();
    subtitlePalette.setColor(QPalette::WindowText, ZingTheme::inkFaint());
    m_subtitle->setPalette(subtitlePalette);
    column->addWidget(m_subtitle);
    row->addLayout(column);

    auto* preview = new ZingSecondaryButton(QString(), this);
    preview->setSymbol(QStringLiteral("speaker.wave.2.fill"), 12);
    m_preview = preview;
    m_preview->setToolTip(QStringLiteral("Preview meme sound"));
    m_preview->setAccessibleName(QStringLiteral("Preview meme sound"));
    row->addWidget(m_preview, 0, Qt::AlignTop);

    connect(m_menu, &QComboBox::activated, this, [this](int index) {
        const SoundEffect effect = SoundEffects::allCases().at(index);
        const bool changed = effect != m_selection;
        showEffect(effect);
        if (changed)
            Q_EMIT selectionChanged(effect);
    });
    connect(m_preview, &QPushButton::clicked, this, [this] { m_player.play(m_selection, previewIntensity); });
    showEffect(m_selection);
}

void SoundPicker::setSelection(SoundEffect effect) {
    showEffect(effect);
}

void SoundPicker::showEffect(SoundEffect effect) {
    m_selection = effect;
    m_menu->setCurrentIndex(int(SoundEffects::allCases().indexOf(effect)));
    m_subtitle->setText(SoundEffects::subtitle(effect));
}
