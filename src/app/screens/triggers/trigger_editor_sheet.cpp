#include "app/screens/triggers/trigger_editor_sheet.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_form_label.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_slider.h"
#include "app/components/zing_text_field.h"
#include "app/screens/editing/choice_card.h"
#include "app/screens/editing/editor_sections.h"
#include "app/screens/editing/provider_picker.h"
#include "app/screens/reaction/reaction_editor.h"
#include "app/screens/reaction/reaction_preview_card.h"
#include "app/screens/screen_label.h"
#include "app/screens/triggers/trigger_editor_rules.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

TriggerEditorSheet::TriggerEditorSheet(AppState& state, ShellActions& shell, const EventTrigger& trigger,
                                       bool isNew, std::function<void(const EventTrigger&)> onSave,
                                       std::function<void()> onCancel, QWidget* parent)
    : EditorSheet(std::move(onCancel), parent), m_state(state), m_shell(shell),
      m_model(state, state.random(), trigger, isNew), m_onSave(std::move(onSave)) {
    buildContent();
    finishFrame();

    connect(&m_model, &TriggerEditorModel::changed, this, &TriggerEditorSheet::refresh);
    connect(&m_state, &AppState::changed, this, &TriggerEditorSheet::refresh);
    refresh();
}

void TriggerEditorSheet::buildContent() {
    QWidget* content = sections();
    QVBoxLayout* layout = sectionsLayout();

    // 1. Header.
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    m_title = ScreenLabel::make(QString(), ZingFonts::rounded(20, QFont::Bold), ZingTheme::ink(), content);
    titles->addWidget(m_title);
    titles->addWidget(ScreenLabel::wrapping(TriggerEditorRules::catalogCountText(), ZingFonts::rounded(12),
                                            ZingTheme::inkMuted(), content, ScreenLabel::Width::text));
    layout->addLayout(titles);

    // 2. Data source.
    QVBoxLayout* source = EditorSections::section(layout, QStringLiteral("Data source"));
    m_providers = new ProviderPicker(content);
    connect(m_providers, &ProviderPicker::chosen, &m_model, &TriggerEditorModel::setProvider);
    source->addWidget(m_providers);

    // 3. Name.
    QVBoxLayout* nameSection = EditorSections::section(layout, QStringLiteral("Trigger name"));
    m_name = new ZingTextField(QStringLiteral("Trigger name"), content);
    m_name->setAccessibleName(QStringLiteral("Trigger name"));
    connect(m_name, &QLineEdit::textEdited, &m_model, &TriggerEditorModel::setName);
    nameSection->addWidget(m_name);

    // 4. Event.
    QVBoxLayout* events = EditorSections::section(layout, QStringLiteral("When this happens"));
    m_eventGrid = new QGridLayout;
    m_eventGrid->setSpacing(6);
    events->addLayout(m_eventGrid);
    m_noEvents = ScreenLabel::wrapping(
        QStringLiteral(
            "The demo source has no events of its own: pick the service whose events to react to."),
        ZingFonts::rounded(11), ZingTheme::inkMuted(), content, ScreenLabel::Width::text);
    events->addWidget(m_noEvents);
    m_eventGroup.setExclusive(true);

    // 5. Cooldown.
    QVBoxLayout* cooldown = EditorSections::section(layout, QStringLiteral("Cooldown"));
    auto* cooldownRow = new QHBoxLayout;
    cooldownRow->setSpacing(12);
    m_cooldown = new ZingSlider(content);
    m_cooldown->setRange(0, 60);
    m_cooldown->setSingleStep(1);
    m_cooldown->setPageStep(5);
    m_cooldown->setAccessibleName(QStringLiteral("Cooldown"));
    connect(m_cooldown, &QSlider::valueChanged, &m_model,
            [this](int seconds) { m_model.setCooldownSeconds(seconds); });
    cooldownRow->addWidget(m_cooldown, 1);
    m_cooldownText =
        ScreenLabel::make(QString(), ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::ink(), content);
    m_cooldownText->setMinimumWidth(120);
    cooldownRow->addWidget(m_cooldownText);
    cooldown->addLayout(cooldownRow);
    cooldown->addWidget(ScreenLabel::wrapping(
        QStringLiteral("Prevents spam if multiple events land at once."), ZingFonts::rounded(11),
        ZingTheme::inkMuted(), content, ScreenLabel::Width::text));

    // 6. Reaction.
    QVBoxLayout* reaction = EditorSections::section(layout, QStringLiteral("Your reaction"));
    m_reaction = new ReactionEditor(m_state.soundPlayer(), content);
    m_reaction->setShowPresets(true);
    m_reaction->setGoalMetric(std::nullopt);
    m_reaction->setEventKind(m_model.trigger().eventKind);
    m_reaction->setReaction(m_model.trigger().reaction);
    connect(m_reaction, &ReactionEditor::reactionChanged, &m_model, &TriggerEditorModel::setReaction);
    reaction->addWidget(m_reaction);

    // 7. Live preview.
    QVBoxLayout* preview = EditorSections::section(layout, QStringLiteral("Live preview"));
    auto* previewRow = new QHBoxLayout;
    previewRow->setSpacing(16);
    m_preview = new ReactionPreviewCard(content);
    m_preview->setFixedWidth(260);
    previewRow->addWidget(m_preview, 0, Qt::AlignTop);
    auto* previewSide = new QVBoxLayout;
    previewSide->setSpacing(8);
    m_shuffle = new ZingSecondaryButton(QStringLiteral("Shuffle sample data"), content);
    m_shuffle->setSymbol(QStringLiteral("shuffle"));
    connect(m_shuffle, &QPushButton::clicked, &m_model, &TriggerEditorModel::shufflePreview);
    auto* onScreen = new ZingSecondaryButton(QStringLiteral("Preview on screen"), content);
    onScreen->setSymbol(QStringLiteral("play.rectangle.fill"));
    connect(onScreen, &QPushButton::clicked, this, [this] {
        const EventTrigger& trigger = m_model.trigger();
        m_state.testReaction(trigger.reaction, std::nullopt, std::nullopt, std::nullopt, trigger);
    });
    previewSide->addWidget(m_shuffle, 0, Qt::AlignLeft);
    previewSide->addWidget(onScreen, 0, Qt::AlignLeft);
    previewSide->addStretch(1);
    previewRow->addLayout(previewSide, 1);
    preview->addLayout(previewRow);

    // 8. Connection warning.
    m_warning = EditorSections::connectionWarning(
        content, QStringLiteral("Connect in the Connect tab, or enable Demo mode to test reactions."),
        &m_warningTitle, [this] { m_shell.showPopover(MenuTab::connect); });
    layout->addWidget(m_warning);
    layout->addStretch(1);
}

void TriggerEditorSheet::rebuildEvents() {
    for (const auto& [kind, card] : m_eventCards) {
        m_eventGroup.removeButton(card);
        card->hide();
        card->deleteLater();
    }
    m_eventCards.clear();
    const QList<TavikEventDefinition> definitions = m_model.events();
    const int columns = 2;
    for (int i = 0; i < definitions.size(); ++i) {
        const TavikEventDefinition& definition = definitions[i];
        auto* card = new ChoiceCard(m_eventGrid->parentWidget());
        card->setAccessibleName(definition.displayName);
        card->addContent(ScreenLabel::make(definition.emoji, ZingFonts::emoji(20), ZingTheme::ink(), card), 0,
                         Qt::AlignVCenter);
        auto* texts = new QWidget(card);
        auto* textLayout = new QVBoxLayout(texts);
        textLayout->setContentsMargins(0, 0, 0, 0);
        textLayout->setSpacing(1);
        textLayout->addWidget(ScreenLabel::make(
            definition.displayName, ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::ink(), texts));
        textLayout->addWidget(ScreenLabel::wrapping(definition.subtitle, ZingFonts::rounded(10),
                                                    ZingTheme::inkMuted(), texts, ScreenLabel::Width::text));
        card->addContent(texts, 1);
        m_eventGroup.addButton(card);
        m_eventGrid->addWidget(card, i / columns, i % columns);
        m_eventCards.append({definition.kind, card});
        const TriggerEventKind kind = definition.kind;
        connect(card, &QAbstractButton::clicked, this, [this, kind] { m_model.setEventKind(kind); });
    }
    m_noEvents->setVisible(definitions.isEmpty());
    QWidget* previous = m_name;
    for (const auto& [kind, card] : m_eventCards) {
        setTabOrder(previous, card);
        previous = card;
    }
    setTabOrder(previous, m_cooldown);
}

void TriggerEditorSheet::refresh() {
    const EventTrigger& trigger = m_model.trigger();
    m_title->setText(m_model.title());
    m_providers->showState(trigger.provider,
                           [this](IntegrationProvider p) { return m_model.providerState(p); });
    if (m_name->text() != trigger.name)
        m_name->setText(trigger.name);
    if (m_shownProvider != trigger.provider) {
        m_shownProvider = trigger.provider;
        rebuildEvents();
    }
    for (const auto& [kind, card] : m_eventCards)
        card->setChecked(kind == trigger.eventKind);
    {
        const QSignalBlocker blocker(m_cooldown);
        m_cooldown->setValue(int(std::lround(trigger.cooldownSeconds)));
    }
    m_cooldownText->setText(m_model.cooldownText());
    if (m_shownKind != trigger.eventKind) {
        m_shownKind = trigger.eventKind;
        m_reaction->setEventKind(trigger.eventKind);
        m_reaction->setSuggestedEmojis(m_model.suggestedEmojis());
    }
    if (m_reaction->reaction() != trigger.reaction)
        m_reaction->setReaction(trigger.reaction);

    m_preview->setReaction(trigger.reaction);
    m_preview->setContext(m_model.eventDefinition().reactionContext);
    m_preview->setSubtitle(trigger.name);
    m_preview->setDetails(m_model.previewDetails());

    m_warning->setVisible(m_model.showsConnectionWarning());
    m_warningTitle->setText(ProviderReadiness::notConnectedTitle(trigger.provider));
    primaryButton()->setText(m_model.primaryButtonLabel());
    primaryButton()->setEnabled(m_model.canSave());
}

void TriggerEditorSheet::save() {
    if (m_model.canSave() && m_onSave)
        m_onSave(m_model.trigger());
}

ChoiceCard* TriggerEditorSheet::eventCard(TriggerEventKind kind) const {
    for (const auto& [k, card] : m_eventCards) {
        if (k == kind)
            return card;
    }
    return nullptr;
}

QWidget* TriggerEditorSheet::connectionWarning() const {
    return m_warning;
}
