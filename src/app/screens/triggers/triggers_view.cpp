#include "app/screens/triggers/triggers_view.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_switch.h"
#include "app/screens/editing/record_list.h"
#include "app/screens/editing/undo_line.h"
#include "app/screens/screen_label.h"
#include "app/screens/triggers/trigger_editor_rules.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TriggersView::TriggersView(AppState& state, ShellActions& shell, QWidget* parent)
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
    header->addWidget(
        new ZingSectionHeader(QStringLiteral("Event triggers"),
                              QString::fromUtf8("Purchases, traffic, SEO — react to everything."), content),
        1);
    auto* add = new ZingSecondaryButton(QString(), content);
    add->setSymbol(QStringLiteral("plus.circle.fill"), 14);
    add->setToolTip(QStringLiteral("Add trigger"));
    add->setAccessibleName(QStringLiteral("Add trigger"));
    connect(add, &QPushButton::clicked, this,
            [this] { m_shell.showTriggerEditor(TriggerEditorRules::newTrigger(), true); });
    header->addWidget(add, 0, Qt::AlignTop);
    layout->addLayout(header);
    layout->addWidget(new UndoLine(m_model.undo(), content));

    m_listLayout = new QVBoxLayout;
    m_listLayout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_listLayout);
    layout->addStretch(1);

    connect(&m_model, &TriggersListModel::changed, this, &TriggersView::rebuild);
    rebuild();
}

void TriggersView::rebuild() {
    // The sender may be a switch inside the old list, so the old list goes later.
    if (m_list) {
        m_list->hide();
        m_list->deleteLater();
    }
    m_list = new QWidget(this);
    auto* layout = new QVBoxLayout(m_list);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    for (const TriggerCard& card : m_model.cards())
        layout->addWidget(triggerCard(card));
    m_listLayout->addWidget(m_list);
    // Shown now rather than on the next turn of the event loop, so the list never flickers empty.
    m_list->show();
}

QWidget* TriggersView::triggerCard(const TriggerCard& trigger) {
    auto* card = new ZingCard(m_list);
    card->contentLayout()->setSpacing(8);
    const QUuid id = trigger.id;

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(ScreenLabel::make(trigger.emoji, ZingFonts::emoji(24), ZingTheme::ink(), card), 0,
                   Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(ScreenLabel::wrapping(trigger.name, ZingFonts::rounded(13, QFont::Bold),
                                            ZingTheme::ink(), card, ScreenLabel::Width::text));
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    // Long provider and event names wrap instead of widening the card past the panel.
    line->addWidget(ScreenLabel::wrapping(trigger.detailLine, ZingFonts::rounded(11), ZingTheme::inkMuted(),
                                          card, ScreenLabel::Width::text),
                    1);
    if (trigger.isOffline) {
        line->addWidget(ScreenLabel::make(QString::fromUtf8("· offline"),
                                          ZingFonts::rounded(11, QFont::DemiBold), ZingTheme::warning(),
                                          card),
                        0, Qt::AlignTop);
    }
    titles->addLayout(line);
    top->addLayout(titles, 1);
    auto* enabled = new ZingSwitch(QString(), card);
    enabled->setChecked(trigger.isEnabled);
    enabled->setAccessibleName(QStringLiteral("Enabled"));
    connect(enabled, &QAbstractButton::toggled, this, [this, id](bool on) { m_model.setEnabled(id, on); });
    top->addWidget(enabled, 0, Qt::AlignTop);
    card->contentLayout()->addLayout(top);

    auto* actions = new QHBoxLayout;
    actions->setSpacing(6);
    actions->addStretch(1);
    auto* test = new ZingSecondaryButton(QStringLiteral("Test"), card);
    test->setSymbol(QStringLiteral("play.fill"));
    auto* edit = new ZingSecondaryButton(QStringLiteral("Edit"), card);
    edit->setSymbol(QStringLiteral("pencil"));
    auto* remove = new ZingSecondaryButton(QStringLiteral("Delete"), card);
    remove->setSymbol(QStringLiteral("trash"));
    remove->setDestructive(true);
    remove->setObjectName(QStringLiteral("destructive"));
    connect(test, &QPushButton::clicked, this, [this, id] { m_model.test(id); });
    connect(edit, &QPushButton::clicked, this, [this, id] {
        const int index = RecordList::indexOf(m_state.triggers(), id);
        if (index >= 0)
            m_shell.showTriggerEditor(m_state.triggers().at(index), false);
    });
    connect(remove, &QPushButton::clicked, this, [this, id] { m_model.remove(id); });
    actions->addWidget(test);
    actions->addWidget(edit);
    actions->addWidget(remove);
    card->contentLayout()->addLayout(actions);
    return card;
}
