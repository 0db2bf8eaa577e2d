#pragma once

#include "app/screens/editing/editor_sheet.h"
#include "app/screens/triggers/trigger_editor_model.h"

#include <QButtonGroup>
#include <QList>
#include <functional>
#include <optional>

class AppState;
class ChoiceCard;
class ProviderPicker;
class QGridLayout;
class QLabel;
class ReactionEditor;
class ReactionPreviewCard;
class ShellActions;
class ZingCard;
class ZingPrimaryButton;
class ZingSecondaryButton;
class ZingSlider;
class ZingTextField;

// The trigger editor window's content: a working copy of one trigger, handed to `onSave` by the primary
// button (or Enter) and dropped by Cancel, Escape or closing the window.
class TriggerEditorSheet final : public EditorSheet {
    Q_OBJECT
public:
    TriggerEditorSheet(AppState& state, ShellActions& shell, const EventTrigger& trigger, bool isNew,
                       std::function<void(const EventTrigger&)> onSave, std::function<void()> onCancel,
                       QWidget* parent = nullptr);

    TriggerEditorModel& model() { return m_model; }

    void save() override;

    ZingTextField* nameField() const { return m_name; }
    ProviderPicker* providerPicker() const { return m_providers; }
    ChoiceCard* eventCard(TriggerEventKind kind) const;
    ZingSlider* cooldownSlider() const { return m_cooldown; }
    ReactionEditor* reactionEditor() const { return m_reaction; }
    ZingSecondaryButton* shuffleButton() const { return m_shuffle; }
    QWidget* connectionWarning() const;

private:
    void buildContent();
    void rebuildEvents();
    void refresh();

    AppState& m_state;
    ShellActions& m_shell;
    TriggerEditorModel m_model;
    std::function<void(const EventTrigger&)> m_onSave;

    QLabel* m_title = nullptr;
    ProviderPicker* m_providers = nullptr;
    ZingTextField* m_name = nullptr;
    QGridLayout* m_eventGrid = nullptr;
    QLabel* m_noEvents = nullptr;
    QButtonGroup m_eventGroup;
    QList<QPair<TriggerEventKind, ChoiceCard*>> m_eventCards;
    std::optional<IntegrationProvider> m_shownProvider;
    ZingSlider* m_cooldown = nullptr;
    QLabel* m_cooldownText = nullptr;
    ReactionEditor* m_reaction = nullptr;
    std::optional<TriggerEventKind> m_shownKind;
    ReactionPreviewCard* m_preview = nullptr;
    ZingSecondaryButton* m_shuffle = nullptr;
    ZingCard* m_warning = nullptr;
    QLabel* m_warningTitle = nullptr;
};
