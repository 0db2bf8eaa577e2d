#pragma once

#include "model/metric_kind.h"
#include "model/reaction_config.h"
#include "model/trigger_event_kind.h"

#include <QStringList>
#include <QWidget>
#include <optional>

class EmojiPickerGrid;
class QLineEdit;
class QVBoxLayout;
class ReactionPresetRow;
class SoundPicker;
class SoundPlayer;
class ZingScrollArea;

// The form for a reaction's emoji, sound pack and banner message, placed inside the goal and trigger
// editors. It works on its own copy of the reaction: every change (a preset, a cell, a sound, a keystroke)
// updates that copy at once and is announced through reactionChanged(); saving is the caller's business.
//
// Typical use in a goal editor:
//     auto* editor = new ReactionEditor(soundPlayer, this);
//     editor->setGoalMetric(goal.metric);           // or setEventKind(trigger.kind) in a trigger editor
//     editor->setSuggestedEmojis(suggestions);       // empty: no "Suggested" section
//     editor->setShowPresets(true);
//     editor->setReaction(goal.reaction);            // does not emit
//     connect(editor, &ReactionEditor::reactionChanged, this, [&](const ReactionConfig& r) { draft.reaction =
//     r; });
//
// The presets follow the goal metric when one is set, else the event kind's reaction context.
// `soundPlayer` plays the sound previews and must outlive the editor.
class ReactionEditor final : public QWidget {
    Q_OBJECT
public:
    explicit ReactionEditor(SoundPlayer& soundPlayer, QWidget* parent = nullptr);

    const ReactionConfig& reaction() const { return m_reaction; }
    // Replaces the working copy and shows it; emits nothing.
    void setReaction(const ReactionConfig& reaction);

    void setSuggestedEmojis(const QStringList& emojis);
    void setShowPresets(bool show);
    // A goal's metric; absent for a trigger's editor.
    void setGoalMetric(std::optional<MetricKind> metric);
    // Used for the presets while there is no goal metric.
    void setEventKind(TriggerEventKind kind);

    // The parts, for the screens that lay out around them and for tests; null while presets are hidden.
    ReactionPresetRow* presetRow() const { return m_presetRow; }
    EmojiPickerGrid* emojiGrid() const { return m_grid; }
    SoundPicker* soundPicker() const { return m_soundPicker; }
    QLineEdit* messageField() const { return m_message; }

Q_SIGNALS:
    // The working copy changed through the form.
    void reactionChanged(const ReactionConfig& reaction);

private:
    void rebuildPresets();
    void apply(const ReactionConfig& reaction);
    void showReaction();

    ReactionConfig m_reaction;
    QStringList m_suggested;
    bool m_showPresets = false;
    std::optional<MetricKind> m_goalMetric;
    TriggerEventKind m_eventKind = TriggerEventKind::stripeCharge;

    QVBoxLayout* m_layout = nullptr;
    ReactionPresetRow* m_presetRow = nullptr;
    ZingScrollArea* m_gridArea = nullptr;
    EmojiPickerGrid* m_grid = nullptr;
    SoundPicker* m_soundPicker = nullptr;
    QLineEdit* m_message = nullptr;
};
