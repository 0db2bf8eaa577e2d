#include "app/screens/reaction/reaction_editor.h"

#include "app/components/zing_form_label.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_text_field.h"
#include "app/screens/reaction/emoji_picker_grid.h"
#include "app/screens/reaction/goal_reaction_presets.h"
#include "app/screens/reaction/reaction_preset_button.h"
#include "app/screens/reaction/reaction_preset_row.h"
#include "app/screens/reaction/sound_picker.h"
#include "app/screens/reaction/trigger_reaction_presets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int gridMaximumHeight = 200;
}

ReactionEditor::ReactionEditor(SoundPlayer& soundPlayer, QWidget* parent) : QWidget(parent) {
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(10);
    // Its parts keep their own heights; a taller window gives the room to the caller's stack, not to gaps here.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* emojiLabel = new ZingFormLabel(QStringLiteral("Emoji"), this);
    m_layout->addWidget(emojiLabel);
    m_gridArea = new ZingScrollArea(this);
    m_gridArea->setFocusPolicy(Qt::NoFocus);
    // The catalog alone is taller than this, so the area always scrolls.
    m_gridArea->setFixedHeight(gridMaximumHeight);
    m_grid = new EmojiPickerGrid;
    m_gridArea->setContent(m_grid);
    emojiLabel->setBuddy(m_grid);
    m_layout->addWidget(m_gridArea);

    auto* soundRow = new QHBoxLayout;
    auto* soundLabel = new ZingFormLabel(QStringLiteral("Sound"), this);
    soundRow->addWidget(soundLabel, 0, Qt::AlignTop);
    soundRow->addStretch(1);
    m_soundPicker = new SoundPicker(soundPlayer, this);
    soundLabel->setBuddy(m_soundPicker->menu());
    soundRow->addWidget(m_soundPicker);
    m_layout->addLayout(soundRow);

    auto* messageColumn = new QVBoxLayout;
    messageColumn->setSpacing(6);
    auto* messageLabel = new ZingFormLabel(QStringLiteral("Banner message"), this);
    messageColumn->addWidget(messageLabel);
    m_message = new ZingTextField(QStringLiteral("Message on screen"), this);
    messageLabel->setBuddy(m_message);
    messageColumn->addWidget(m_message);
    m_layout->addLayout(messageColumn);

    connect(m_grid, &EmojiPickerGrid::selectionChanged, this, [this](const QString& emoji) {
        m_reaction.emoji = emoji;
        Q_EMIT reactionChanged(m_reaction);
    });
    connect(m_soundPicker, &SoundPicker::selectionChanged, this, [this](SoundEffect effect) {
        m_reaction.sound = effect;
        Q_EMIT reactionChanged(m_reaction);
    });
    connect(m_message, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_reaction.message = text;
        Q_EMIT reactionChanged(m_reaction);
    });
    showReaction();
}

void ReactionEditor::setReaction(const ReactionConfig& reaction) {
    m_reaction = reaction;
    showReaction();
}

void ReactionEditor::setSuggestedEmojis(const QStringList& emojis) {
    if (emojis == m_suggested)
        return;
    m_suggested = emojis;
    m_grid->setSuggested(emojis);
}

void ReactionEditor::setShowPresets(bool show) {
    if (show == m_showPresets)
        return;
    m_showPresets = show;
    rebuildPresets();
}

void ReactionEditor::setGoalMetric(std::optional<MetricKind> metric) {
    if (metric == m_goalMetric)
        return;
    m_goalMetric = metric;
    rebuildPresets();
}

void ReactionEditor::setEventKind(TriggerEventKind kind) {
    if (kind == m_eventKind)
        return;
    m_eventKind = kind;
    rebuildPresets();
}

void ReactionEditor::rebuildPresets() {
    delete m_presetRow;
    m_presetRow = nullptr;
    if (!m_showPresets)
        return;
    const QList<ReactionPreset> presets = m_goalMetric ? GoalReactionPresets::presets(*m_goalMetric)
                                                       : TriggerReactionPresets::presets(m_eventKind);
    m_presetRow = new ReactionPresetRow(presets, this);
    connect(m_presetRow, &ReactionPresetRow::selected, this, &ReactionEditor::apply);
    m_layout->insertWidget(0, m_presetRow);
    // The row is built after the rest; put it first in the Tab order too.
    QList<QWidget*> chain;
    for (QWidget* button : m_presetRow->buttons())
        chain.append(button);
    chain << m_grid << m_soundPicker->menu() << m_soundPicker->previewButton() << m_message;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void ReactionEditor::apply(const ReactionConfig& reaction) {
    m_reaction = reaction;
    showReaction();
    Q_EMIT reactionChanged(m_reaction);
}

void ReactionEditor::showReaction() {
    m_grid->setSelection(m_reaction.emoji);
    m_soundPicker->setSelection(m_reaction.sound);
    if (m_message->text() != m_reaction.message)
        m_message->setText(m_reaction.message);
}
