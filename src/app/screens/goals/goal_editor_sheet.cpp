#include "app/screens/goals/goal_editor_sheet.h"

#include "app/components/zing_card.h"
#include "app/components/zing_chip.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_form_label.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_progress_bar.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_slider.h"
#include "app/components/zing_switch.h"
#include "app/components/zing_text_field.h"
#include "app/screens/editing/choice_card.h"
#include "app/screens/editing/editor_sections.h"
#include "app/screens/editing/provider_picker.h"
#include "app/screens/reaction/reaction_editor.h"
#include "app/screens/reaction/reaction_preview_card.h"
#include "app/screens/screen_label.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "engine/reaction_details.h"
#include "engine/sound_player.h"
#include "model/goal_formatting.h"
#include "reactions/zing_theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

GoalEditorSheet::GoalEditorSheet(AppState& state, ShellActions& shell, const Goal& goal, bool isNew,
                                 std::function<void(const Goal&)> onSave, std::function<void()> onCancel,
                                 QWidget* parent)
    : EditorSheet(std::move(onCancel), parent), m_state(state), m_shell(shell), m_model(state, goal, isNew),
      m_onSave(std::move(onSave)) {
    buildContent();
    finishFrame();

    connect(&m_model, &GoalEditorModel::changed, this, &GoalEditorSheet::refresh);
    connect(&m_state, &AppState::changed, this, &GoalEditorSheet::refresh);
    refresh();
}

void GoalEditorSheet::buildContent() {
    QWidget* content = sections();
    QVBoxLayout* layout = sectionsLayout();

    // 1. Header.
    auto* header = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    m_title = ScreenLabel::make(QString(), ZingFonts::rounded(20, QFont::Bold), ZingTheme::ink(), content);
    titles->addWidget(m_title);
    titles->addWidget(ScreenLabel::wrapping(
        QStringLiteral("Pick a metric, set a target, choose your celebration."), ZingFonts::rounded(12),
        ZingTheme::inkMuted(), content, ScreenLabel::Width::text));
    header->addLayout(titles, 1);
    m_enabled = new ZingSwitch(QStringLiteral("Enabled"), content);
    connect(m_enabled, &QAbstractButton::toggled, &m_model, &GoalEditorModel::setEnabled);
    header->addWidget(m_enabled, 0, Qt::AlignTop);
    layout->addLayout(header);

    // 2. Data source.
    QVBoxLayout* source = EditorSections::section(layout, QStringLiteral("Data source"));
    m_providers = new ProviderPicker(content);
    connect(m_providers, &ProviderPicker::chosen, &m_model, &GoalEditorModel::setProvider);
    source->addWidget(m_providers);

    // 3. Name.
    QVBoxLayout* nameSection = EditorSections::section(layout, QStringLiteral("Goal name"));
    m_name = new ZingTextField(QStringLiteral("Goal name"), content);
    m_name->setAccessibleName(QStringLiteral("Goal name"));
    connect(m_name, &QLineEdit::textEdited, &m_model, &GoalEditorModel::setName);
    nameSection->addWidget(m_name);

    // 4. Metric.
    QVBoxLayout* metricSection = EditorSections::section(layout, QStringLiteral("Track this metric"));
    m_metricGrid = new QGridLayout;
    m_metricGrid->setSpacing(6);
    metricSection->addLayout(m_metricGrid);
    m_metricGroup.setExclusive(true);

    // 5. Period.
    QVBoxLayout* periodSection = EditorSections::section(layout, QStringLiteral("Time window"));
    auto* periods = new QHBoxLayout;
    periods->setSpacing(8);
    m_periodGroup.setExclusive(true);
    for (GoalPeriod period : GoalPeriods::allCases()) {
        auto* chip = new ZingChip(GoalPeriods::title(period), content);
        m_periodGroup.addButton(chip);
        m_periodChips.append({period, chip});
        periods->addWidget(chip);
        connect(chip, &QAbstractButton::clicked, this, [this, period] { m_model.setPeriod(period); });
    }
    periods->addStretch(1);
    periodSection->addLayout(periods);

    // 6. Target.
    auto* targetSection = new QVBoxLayout;
    targetSection->setSpacing(8);
    m_targetLabel = new ZingFormLabel(QString(), content);
    targetSection->addWidget(m_targetLabel);
    auto* targetRow = new QHBoxLayout;
    targetRow->setSpacing(12);
    m_target = new ZingTextField(QStringLiteral("Target"), content);
    m_target->setAccessibleName(QStringLiteral("Target"));
    m_target->setFixedWidth(140);
    m_targetLabel->setBuddy(m_target);
    connect(m_target, &QLineEdit::textEdited, &m_model, &GoalEditorModel::setTargetText);
    targetRow->addWidget(m_target);
    m_slider = new ZingSlider(content);
    m_slider->setAccessibleName(QStringLiteral("Target slider"));
    connect(m_slider, &QSlider::valueChanged, &m_model, &GoalEditorModel::setSliderPosition);
    targetRow->addWidget(m_slider, 1);
    m_now =
        ScreenLabel::make(QString(), ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::inkMuted(), content);
    targetRow->addWidget(m_now);
    targetSection->addLayout(targetRow);
    targetSection->addWidget(new ZingFormLabel(QStringLiteral("Quick picks"), content));
    m_quickPickRow = new QWidget(content);
    auto* picks = new QHBoxLayout(m_quickPickRow);
    picks->setContentsMargins(0, 0, 0, 0);
    picks->setSpacing(8);
    targetSection->addWidget(m_quickPickRow);
    layout->addLayout(targetSection);

    // 7. Reaction.
    QVBoxLayout* reaction = EditorSections::section(layout, QStringLiteral("Reaction"));
    m_reaction = new ReactionEditor(m_state.soundPlayer(), content);
    m_reaction->setShowPresets(true);
    m_reaction->setGoalMetric(m_model.goal().metric);
    m_reaction->setReaction(m_model.goal().reaction);
    connect(m_reaction, &ReactionEditor::reactionChanged, &m_model, &GoalEditorModel::setReaction);
    reaction->addWidget(m_reaction);

    // 8. Live preview.
    QVBoxLayout* preview = EditorSections::section(layout, QStringLiteral("Live preview"));
    auto* previewRow = new QHBoxLayout;
    previewRow->setSpacing(16);
    m_preview = new ReactionPreviewCard(content);
    m_preview->setContext(ReactionContext::goal);
    m_preview->setFixedWidth(260);
    previewRow->addWidget(m_preview, 0, Qt::AlignTop);
    auto* previewSide = new QVBoxLayout;
    previewSide->setSpacing(8);
    auto* sound = new ZingSecondaryButton(QStringLiteral("Preview sound"), content);
    sound->setSymbol(QStringLiteral("speaker.wave.2.fill"));
    connect(sound, &QPushButton::clicked, this,
            [this] { m_state.soundPlayer().play(m_model.goal().reaction.sound, 0.9); });
    auto* onScreen = new ZingSecondaryButton(QStringLiteral("Preview on screen"), content);
    onScreen->setSymbol(QStringLiteral("play.rectangle.fill"));
    connect(onScreen, &QPushButton::clicked, this, [this] {
        const Goal& goal = m_model.goal();
        m_state.testReaction(goal.reaction, std::nullopt, std::nullopt, goal, std::nullopt);
    });
    previewSide->addWidget(sound, 0, Qt::AlignLeft);
    previewSide->addWidget(onScreen, 0, Qt::AlignLeft);
    previewSide->addSpacing(8);
    previewSide->addWidget(new ZingFormLabel(QStringLiteral("Current progress"), content));
    m_progressText =
        ScreenLabel::make(QString(), ZingFonts::rounded(14, QFont::Bold), ZingTheme::ink(), content);
    previewSide->addWidget(m_progressText);
    m_progress = new ZingProgressBar(content);
    previewSide->addWidget(m_progress);
    previewSide->addStretch(1);
    previewRow->addLayout(previewSide, 1);
    preview->addLayout(previewRow);

    // 9. Connection warning.
    m_warning = EditorSections::connectionWarning(
        content, QStringLiteral("Connect in the Connect tab, or enable Demo mode to test goals."),
        &m_warningTitle, [this] { m_shell.showPopover(MenuTab::connect); });
    layout->addWidget(m_warning);
    layout->addStretch(1);
}

void GoalEditorSheet::rebuildMetrics() {
    for (const auto& [metric, card] : m_metricCards) {
        m_metricGroup.removeButton(card);
        card->hide();
        card->deleteLater();
    }
    m_metricCards.clear();
    const QList<MetricKind>& metrics = MetricKinds::available(m_model.goal().provider);
    const int columns = 3;
    for (int i = 0; i < metrics.size(); ++i) {
        const MetricKind metric = metrics[i];
        auto* card = new ChoiceCard(m_metricGrid->parentWidget());
        card->setAccessibleName(MetricKinds::displayName(metric));
        auto* texts = new QWidget(card);
        auto* textLayout = new QVBoxLayout(texts);
        textLayout->setContentsMargins(0, 0, 0, 0);
        textLayout->setSpacing(1);
        textLayout->addWidget(ScreenLabel::make(MetricKinds::displayName(metric),
                                                ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::ink(),
                                                texts));
        if (metric == MetricKind::avgPosition) {
            textLayout->addWidget(ScreenLabel::make(QStringLiteral("Lower is better"), ZingFonts::rounded(10),
                                                    ZingTheme::lime(), texts));
        }
        card->addContent(texts, 1);
        m_metricGroup.addButton(card);
        m_metricGrid->addWidget(card, i / columns, i % columns);
        m_metricCards.append({metric, card});
        connect(card, &QAbstractButton::clicked, this, [this, metric] { m_model.setMetric(metric); });
    }
    // Keeps Tab in reading order after the cards were rebuilt.
    QWidget* previous = m_name;
    for (const auto& [metric, card] : m_metricCards) {
        setTabOrder(previous, card);
        previous = card;
    }
    if (!m_periodChips.isEmpty())
        setTabOrder(previous, m_periodChips.first().second);
}

void GoalEditorSheet::rebuildQuickPicks() {
    for (ZingChip* chip : m_quickPicks) {
        chip->hide();
        chip->deleteLater();
    }
    m_quickPicks.clear();
    auto* row = static_cast<QHBoxLayout*>(m_quickPickRow->layout());
    while (row->count() > 0)
        delete row->takeAt(0);
    const MetricKind metric = m_model.goal().metric;
    const QString currency = m_state.currencyCode(m_model.goal().provider);
    QWidget* previous = m_slider;
    for (double value : GoalEditorRules::quickPicks(metric)) {
        auto* chip = new ZingChip(GoalFormatting::format(value, metric, currency), m_quickPickRow);
        chip->setCheckable(false);
        connect(chip, &QAbstractButton::clicked, this, [this, value] { m_model.setTarget(value); });
        row->addWidget(chip);
        m_quickPicks.append(chip);
        setTabOrder(previous, chip);
        previous = chip;
    }
    row->addStretch(1);
}

void GoalEditorSheet::refresh() {
    const Goal& goal = m_model.goal();
    m_title->setText(m_model.title());
    {
        const QSignalBlocker blocker(m_enabled);
        m_enabled->setChecked(goal.isEnabled);
    }
    m_providers->showState(goal.provider, [this](IntegrationProvider p) { return m_model.providerState(p); });
    if (m_name->text() != goal.name)
        m_name->setText(goal.name);

    if (m_shownProvider != goal.provider) {
        m_shownProvider = goal.provider;
        rebuildMetrics();
    }
    for (const auto& [metric, card] : m_metricCards)
        card->setChecked(metric == goal.metric);
    for (const auto& [period, chip] : m_periodChips)
        chip->setChecked(period == goal.period);

    m_targetLabel->setText(m_model.targetLabel());
    if (m_target->text() != m_model.targetText())
        m_target->setText(m_model.targetText());
    {
        const QSignalBlocker blocker(m_slider);
        m_slider->setRange(0, m_model.sliderSteps());
        m_slider->setPageStep(std::max(1, m_model.sliderSteps() / 20));
        m_slider->setValue(m_model.sliderPosition());
    }
    m_now->setText(m_model.nowText());
    if (m_shownMetric != goal.metric || m_shownCurrency != m_state.currencyCode(goal.provider)) {
        m_shownMetric = goal.metric;
        m_shownCurrency = m_state.currencyCode(goal.provider);
        rebuildQuickPicks();
        m_reaction->setGoalMetric(goal.metric);
        m_reaction->setSuggestedEmojis(GoalEditorRules::suggestedEmojis(goal.metric));
    }
    if (m_reaction->reaction() != goal.reaction)
        m_reaction->setReaction(goal.reaction);

    m_preview->setReaction(goal.reaction);
    m_preview->setSubtitle(goal.name);
    m_preview->setDetails(ReactionDetails::forGoal(goal.metric, m_model.currentValue(), goal.targetValue));
    m_progressText->setText(m_model.progressText());
    m_progress->setFraction(goal.targetValue > 0 ? m_model.currentValue() / goal.targetValue : 0.0);

    m_warning->setVisible(m_model.showsConnectionWarning());
    m_warningTitle->setText(ProviderReadiness::notConnectedTitle(goal.provider));
    primaryButton()->setText(m_model.primaryButtonLabel());
    primaryButton()->setEnabled(m_model.canSave());
}

void GoalEditorSheet::save() {
    if (m_model.canSave() && m_onSave)
        m_onSave(m_model.goal());
}

ChoiceCard* GoalEditorSheet::metricCard(MetricKind metric) const {
    for (const auto& [kind, card] : m_metricCards) {
        if (kind == metric)
            return card;
    }
    return nullptr;
}

ZingChip* GoalEditorSheet::periodChip(GoalPeriod period) const {
    for (const auto& [kind, chip] : m_periodChips) {
        if (kind == period)
            return chip;
    }
    return nullptr;
}

QWidget* GoalEditorSheet::connectionWarning() const {
    return m_warning;
}
