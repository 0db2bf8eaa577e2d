#pragma once

#include "app/screens/editing/editor_sheet.h"
#include "app/screens/goals/goal_editor_model.h"

#include <QButtonGroup>
#include <QList>
#include <functional>

class AppState;
class ChoiceCard;
class ProviderPicker;
class QGridLayout;
class QLabel;
class ReactionEditor;
class ReactionPreviewCard;
class ShellActions;
class ZingCard;
class ZingChip;
class ZingPrimaryButton;
class ZingProgressBar;
class ZingSecondaryButton;
class ZingSlider;
class ZingSwitch;
class ZingTextField;

// The goal editor window's content: a working copy of one goal, handed to `onSave` by the primary button
// (or Enter) and dropped by Cancel, Escape or closing the window.
class GoalEditorSheet final : public EditorSheet {
    Q_OBJECT
public:
    GoalEditorSheet(AppState& state, ShellActions& shell, const Goal& goal, bool isNew,
                    std::function<void(const Goal&)> onSave, std::function<void()> onCancel,
                    QWidget* parent = nullptr);

    GoalEditorModel& model() { return m_model; }

    // For tests and the keyboard: what the primary button does, when saving is possible.
    void save() override;

    ZingTextField* nameField() const { return m_name; }
    ZingTextField* targetField() const { return m_target; }
    ZingSlider* targetSlider() const { return m_slider; }
    ProviderPicker* providerPicker() const { return m_providers; }
    ChoiceCard* metricCard(MetricKind metric) const;
    QList<ZingChip*> quickPickChips() const { return m_quickPicks; }
    ZingChip* periodChip(GoalPeriod period) const;
    ReactionEditor* reactionEditor() const { return m_reaction; }
    QWidget* connectionWarning() const;

private:
    void buildContent();
    void rebuildMetrics();
    void rebuildQuickPicks();
    void refresh();

    AppState& m_state;
    ShellActions& m_shell;
    GoalEditorModel m_model;
    std::function<void(const Goal&)> m_onSave;

    QLabel* m_title = nullptr;
    ZingSwitch* m_enabled = nullptr;
    ProviderPicker* m_providers = nullptr;
    ZingTextField* m_name = nullptr;
    QGridLayout* m_metricGrid = nullptr;
    QButtonGroup m_metricGroup;
    QList<QPair<MetricKind, ChoiceCard*>> m_metricCards;
    std::optional<IntegrationProvider> m_shownProvider;
    QButtonGroup m_periodGroup;
    QList<QPair<GoalPeriod, ZingChip*>> m_periodChips;
    QLabel* m_targetLabel = nullptr;
    ZingTextField* m_target = nullptr;
    ZingSlider* m_slider = nullptr;
    QLabel* m_now = nullptr;
    QWidget* m_quickPickRow = nullptr;
    QList<ZingChip*> m_quickPicks;
    std::optional<MetricKind> m_shownMetric;
    QString m_shownCurrency;
    ReactionEditor* m_reaction = nullptr;
    ReactionPreviewCard* m_preview = nullptr;
    QLabel* m_progressText = nullptr;
    ZingProgressBar* m_progress = nullptr;
    ZingCard* m_warning = nullptr;
    QLabel* m_warningTitle = nullptr;
};
