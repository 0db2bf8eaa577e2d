#include "app/screens/goals/goals_view.h"

#include "app/components/zing_capsule_badge.h"
#include "app/components/zing_card.h"
#include "app/components/zing_chip.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_progress_bar.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_switch.h"
#include "app/screens/editing/record_list.h"
#include "app/screens/editing/undo_line.h"
#include "app/screens/goals/goal_editor_rules.h"
#include "app/screens/screen_label.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

ZingSecondaryButton* iconButton(const QString& symbol, const QString& name, QWidget* parent) {
    auto* button = new ZingSecondaryButton(QString(), parent);
    button->setSymbol(symbol, 12);
    button->setToolTip(name);
    button->setAccessibleName(name);
    return button;
}

} // namespace

GoalsView::GoalsView(AppState& state, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_state(state), m_shell(shell), m_model(state) {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new ZingScrollArea(this);
    root->addWidget(scroll);
    QWidget* content = scroll->makeContent();
    auto* layout = qobject_cast<QVBoxLayout*>(content->layout());
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setSpacing(12);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(new ZingSectionHeader(QStringLiteral("Goals"),
                                            QString::fromUtf8("Hit a target → sound + emoji on screen."),
                                            content),
                      1);
    auto* add = new ZingSecondaryButton(QStringLiteral("Add goal"), content);
    add->setSymbol(QStringLiteral("plus.circle.fill"));
    connect(add, &QPushButton::clicked, this,
            [this] { m_shell.showGoalEditor(GoalEditorRules::newGoal(), true); });
    header->addWidget(add, 0, Qt::AlignTop);
    layout->addLayout(header);
    layout->addWidget(new UndoLine(m_model.undo(), content));

    m_listLayout = new QVBoxLayout;
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_listLayout);
    layout->addStretch(1);

    connect(&m_model, &GoalsListModel::changed, this, &GoalsView::rebuild);
    rebuild();
}

void GoalsView::rebuild() {
    // The sender may be a switch inside the old list, so the old list goes later.
    if (m_list) {
        m_list->hide();
        m_list->deleteLater();
    }
    m_list = new QWidget(this);
    auto* layout = new QVBoxLayout(m_list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    const QList<GoalCard> cards = m_model.cards();
    if (cards.isEmpty())
        layout->addWidget(emptyState());
    for (const GoalCard& card : cards)
        layout->addWidget(goalCard(card));
    m_listLayout->addWidget(m_list);
    // Shown now rather than on the next turn of the event loop, so the list never flickers empty.
    m_list->show();
}

QWidget* GoalsView::emptyState() {
    auto* card = new ZingCard(m_list);
    card->contentLayout()->setSpacing(10);
    card->addWidget(
        ScreenLabel::make(QString::fromUtf8("\U0001F3AF"), ZingFonts::emoji(30), ZingTheme::ink(), card));
    card->addWidget(ScreenLabel::make(QStringLiteral("No goals yet"), ZingFonts::rounded(15, QFont::Bold),
                                      ZingTheme::ink(), card));
    card->addWidget(ScreenLabel::wrapping(
        QString::fromUtf8("Set a revenue, traffic, or SEO target — we'll celebrate when you hit it."),
        ZingFonts::rounded(12), ZingTheme::inkMuted(), card, ScreenLabel::Width::text));
    auto* chips = new QHBoxLayout;
    chips->setSpacing(8);
    for (const Goal& goal : GoalEditorRules::quickStartGoals()) {
        auto* chip = new ZingChip(goal.name, card);
        chip->setCheckable(false);
        connect(chip, &QAbstractButton::clicked, this, [this, goal] {
            m_shell.closePopover();
            Goal fresh = goal;
            fresh.id = QUuid::createUuid();
            m_shell.showGoalEditor(fresh, true);
        });
        chips->addWidget(chip);
    }
    chips->addStretch(1);
    card->contentLayout()->addLayout(chips);
    auto* custom = new ZingPrimaryButton(QStringLiteral("Create custom goal"), card);
    connect(custom, &QPushButton::clicked, this,
            [this] { m_shell.showGoalEditor(GoalEditorRules::newGoal(), true); });
    card->addWidget(custom);
    return card;
}

QWidget* GoalsView::goalCard(const GoalCard& goal) {
    auto* card = new ZingCard(m_list);
    card->contentLayout()->setSpacing(8);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(ScreenLabel::make(goal.emoji, ZingFonts::emoji(26), ZingTheme::ink(), card), 0,
                   Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    QLabel* name = ScreenLabel::wrapping(goal.name, ZingFonts::rounded(13, QFont::Bold), ZingTheme::ink(),
                                         card, ScreenLabel::Width::text);
    titles->addWidget(name);
    titles->addWidget(ScreenLabel::make(goal.metaLine, ZingFonts::rounded(11), ZingTheme::inkMuted(), card));
    top->addLayout(titles, 1);
    auto* enabled = new ZingSwitch(QString(), card);
    enabled->setChecked(goal.isEnabled);
    enabled->setAccessibleName(QStringLiteral("Enabled"));
    const QUuid id = goal.id;
    connect(enabled, &QAbstractButton::toggled, this, [this, id](bool on) { m_model.setEnabled(id, on); });
    top->addWidget(enabled, 0, Qt::AlignTop);
    card->contentLayout()->addLayout(top);

    auto* values = new QHBoxLayout;
    values->setSpacing(6);
    values->addWidget(
        ScreenLabel::make(goal.valueText, ZingFonts::rounded(12, QFont::DemiBold), ZingTheme::ink(), card));
    values->addStretch(1);
    if (goal.isPaused)
        values->addWidget(new ZingCapsuleBadge(QStringLiteral("PAUSED"), ZingTheme::inkMuted(), card));
    if (goal.isNotConnected)
        values->addWidget(new ZingCapsuleBadge(QStringLiteral("Not connected"), ZingTheme::warning(), card));
    if (goal.isCrushed) {
        auto* crushed = new ZingCapsuleBadge(QStringLiteral("Crushed!"), ZingTheme::lime(), card);
        crushed->setSymbol(QStringLiteral("checkmark.seal.fill"));
        values->addWidget(crushed);
    }
    card->contentLayout()->addLayout(values);

    auto* progress = new ZingProgressBar(card);
    progress->setFraction(goal.fraction);
    card->addWidget(progress);
    progress->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    actions->addStretch(1);
    auto* edit = iconButton(QStringLiteral("pencil"), QStringLiteral("Edit"), card);
    auto* test = iconButton(QStringLiteral("play.fill"), QStringLiteral("Test"), card);
    auto* remove = iconButton(QStringLiteral("trash"), QStringLiteral("Delete"), card);
    remove->setDestructive(true);
    connect(edit, &QPushButton::clicked, this, [this, id] { openEditor(id); });
    connect(test, &QPushButton::clicked, this, [this, id] { m_model.test(id); });
    connect(remove, &QPushButton::clicked, this, [this, id] { m_model.remove(id); });
    actions->addWidget(edit);
    actions->addWidget(test);
    actions->addWidget(remove);
    card->contentLayout()->addLayout(actions);
    return card;
}

void GoalsView::openEditor(const QUuid& id) {
    const int index = RecordList::indexOf(m_state.goals(), id);
    if (index >= 0)
        m_shell.showGoalEditor(m_state.goals().at(index), false);
}
