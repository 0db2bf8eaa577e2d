#include "app/screens/panel/dashboard_view.h"

#include "app/screens/panel/goal_progress_ring.h"
#include "app/screens/panel/panel_card.h"
#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "reactions/zing_theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* label(const QString& text, QWidget* parent, int pixelSize = 0, bool bold = false,
              std::optional<QColor> colour = std::nullopt) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    QFont f = l->font();
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    f.setBold(bold);
    l->setFont(f);
    if (colour) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, *colour);
        l->setPalette(p);
    }
    return l;
}

} // namespace

DashboardView::DashboardView(AppState& state, ShellActions& shell, DemoSimulator& demo, QWidget* parent)
    : QWidget(parent), m_state(state), m_shell(shell), m_demo(demo), m_model(state),
      m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("dashboardView"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(10);
    m_demoCard = buildDemoCard();
    m_layout->addWidget(m_demoCard);
    m_goalsSection = new QWidget(this);
    m_layout->addWidget(m_goalsSection);
    m_cardsSection = new QWidget(this);
    m_layout->addWidget(m_cardsSection);
    m_layout->addWidget(buildQuickTestCard());
    m_updated = label(QString(), this, 11, false, ZingTheme::inkFaint());
    m_updated->setObjectName(QStringLiteral("pollUpdated"));
    m_layout->addWidget(m_updated);
    m_error = label(QString(), this, 11, false, ZingTheme::warning());
    m_error->setObjectName(QStringLiteral("pollError"));
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout->addWidget(m_error);
    m_layout->addStretch(1);

    for (auto signal : {&AppState::settingsChanged, &AppState::goalsChanged, &AppState::snapshotsChanged,
                        &AppState::lastPollAtChanged, &AppState::lastErrorChanged})
        connect(&m_state, signal, this, &DashboardView::refresh);
    refresh();
}

void DashboardView::replaceSection(QWidget*& section, QWidget* replacement) {
    // The layout hands back the old item; it is ours to free.
    delete m_layout->replaceWidget(section, replacement);
    section->deleteLater();
    section = replacement;
}

void DashboardView::refresh() {
    m_demoCard->setVisible(m_model.showsDemoCard());

    // Sections are rebuilt only when what they show changed, so focus and hover survive a poll.
    const DashboardModel::GoalsOverview overview = m_model.goalsOverview();
    if (overview != m_shownOverview) {
        replaceSection(m_goalsSection, buildGoalsCard(overview));
        m_shownOverview = overview;
    }
    const QList<DashboardModel::ProviderCard> cards = m_model.providerCards();
    if (cards != m_shownCards) {
        replaceSection(m_cardsSection, buildProviderCards(cards));
        m_shownCards = cards;
    }
    const DashboardModel::PollStatus status = m_model.pollStatus();
    m_updated->setText(status.updated);
    m_error->setText(status.error.value_or(QString()));
    m_error->setVisible(status.error.has_value());
}

QWidget* DashboardView::buildDemoCard() {
    auto* card = new PanelCard(this);
    card->setObjectName(QStringLiteral("demoCard"));
    QVBoxLayout* layout = card->contentLayout();
    layout->addWidget(label(QStringLiteral("🎭 Demo mode is ON"), card, 14, true, ZingTheme::lime()));
    layout->addWidget(label(QStringLiteral("Fake purchases roll in automatically. Try the buttons below."),
                            card, 12, false, ZingTheme::inkMuted()));
    auto* buttons = new QHBoxLayout;
    auto* purchase = new QPushButton(QStringLiteral("Simulate purchase"), card);
    purchase->setObjectName(QStringLiteral("simulatePurchase"));
    connect(purchase, &QPushButton::clicked, this, [this] { m_demo.simulateDemoPurchase(); });
    auto* refund = new QPushButton(QStringLiteral("Simulate refund"), card);
    refund->setObjectName(QStringLiteral("simulateRefund"));
    connect(refund, &QPushButton::clicked, this, [this] { m_demo.simulateDemoRefund(); });
    buttons->addWidget(purchase);
    buttons->addWidget(refund);
    layout->addLayout(buttons);
    return card;
}

QWidget* DashboardView::buildGoalsCard(const DashboardModel::GoalsOverview& overview) {
    auto* card = new PanelCard(this);
    card->setObjectName(QStringLiteral("goalsCard"));
    QVBoxLayout* layout = card->contentLayout();
    if (overview.isEmpty) {
        layout->addWidget(label(QStringLiteral("No goals for today"), card, 14, true));
        layout->addWidget(label(QStringLiteral("Set a target and we'll track your progress here."), card, 12,
                                false, ZingTheme::inkMuted()));
        auto* add = new QPushButton(QStringLiteral("Add a goal"), card);
        add->setObjectName(QStringLiteral("addGoal"));
        connect(add, &QPushButton::clicked, this, [this] { m_state.setSelectedTab(MenuTab::goals); });
        layout->addWidget(add, 0, Qt::AlignLeft);
        return card;
    }
    auto* top = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->addWidget(label(QStringLiteral("Today's goals"), card, 14, true));
    QLabel* status = label(overview.statusLine, card, 12, false, ZingTheme::inkMuted());
    status->setObjectName(QStringLiteral("goalsStatusLine"));
    texts->addWidget(status);
    top->addLayout(texts, 1);
    auto* ring = new GoalProgressRing(card);
    ring->setProgress(overview.fraction, overview.completedCount, overview.totalCount);
    top->addWidget(ring);
    layout->addLayout(top);

    for (const DashboardModel::GoalRow& row : overview.rows) {
        auto* rowLayout = new QGridLayout;
        rowLayout->setHorizontalSpacing(8);
        rowLayout->addWidget(label(row.name, card, 12, true), 0, 0);
        rowLayout->addWidget(label(row.metricName, card, 11, false, ZingTheme::inkFaint()), 1, 0);
        QLabel* right = row.isComplete ? label(QStringLiteral("✓ Done"), card, 12, true, ZingTheme::lime())
                                       : label(row.progressText, card, 12, false, ZingTheme::inkMuted());
        right->setObjectName(QStringLiteral("goalRowValue"));
        right->setWordWrap(false);
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rowLayout->addWidget(right, 0, 1, 2, 1);
        auto* bar = new QProgressBar(card);
        bar->setRange(0, 1000);
        bar->setValue(int(std::clamp(row.fraction, 0.0, 1.0) * 1000));
        bar->setTextVisible(false);
        bar->setFixedHeight(6);
        rowLayout->addWidget(bar, 2, 0, 1, 2);
        rowLayout->setColumnStretch(0, 1);
        layout->addLayout(rowLayout);
    }
    return card;
}

QWidget* DashboardView::buildProviderCards(const QList<DashboardModel::ProviderCard>& cards) {
    auto* section = new QWidget(this);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    if (cards.isEmpty()) {
        layout->addWidget(label(QStringLiteral("Connect a provider to see live metrics."), section, 12, false,
                                ZingTheme::inkMuted()));
        return section;
    }
    for (const DashboardModel::ProviderCard& data : cards) {
        auto* card = new PanelCard(section);
        card->setObjectName(QStringLiteral("providerCard"));
        QVBoxLayout* cardLayout = card->contentLayout();
        auto* head = new QHBoxLayout;
        head->addWidget(label(data.title, card, 13, true), 1);
        QLabel* time = label(QLocale().toString(data.fetchedAt.toTimeZone(m_state.clock().timeZone()).time(),
                                                QLocale::ShortFormat),
                             card, 11, false, ZingTheme::inkFaint());
        time->setWordWrap(false);
        head->addWidget(time);
        cardLayout->addLayout(head);
        QLabel* summary = label(data.summary, card, 13, true);
        QFont heavy = summary->font();
        heavy.setWeight(QFont::Black);
        summary->setFont(heavy);
        cardLayout->addWidget(summary);
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);
        for (qsizetype i = 0; i < data.tiles.size(); ++i) {
            auto* tile = new QWidget(card);
            tile->setObjectName(QStringLiteral("metricTile"));
            auto* tileLayout = new QVBoxLayout(tile);
            tileLayout->setContentsMargins(0, 0, 0, 0);
            tileLayout->setSpacing(0);
            tileLayout->addWidget(label(data.tiles[i].label, tile, 10, false, ZingTheme::inkMuted()));
            QLabel* value = label(data.tiles[i].value, tile, 15, true);
            value->setObjectName(QStringLiteral("metricTileValue"));
            tileLayout->addWidget(value);
            grid->addWidget(tile, int(i / 2), int(i % 2));
        }
        cardLayout->addLayout(grid);
        layout->addWidget(card);
    }
    return section;
}

QWidget* DashboardView::buildQuickTestCard() {
    auto* card = new PanelCard(this);
    card->setObjectName(QStringLiteral("quickTestCard"));
    QVBoxLayout* layout = card->contentLayout();
    auto* row = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->addWidget(label(QStringLiteral("Quick test"), card, 14, true));
    texts->addWidget(label(QStringLiteral("Fire a test reaction 🚀"), card, 12, false, ZingTheme::inkMuted()));
    row->addLayout(texts, 1);
    auto* fire = new QPushButton(QStringLiteral("Test"), card);
    fire->setObjectName(QStringLiteral("testReaction"));
    connect(fire, &QPushButton::clicked, this, [this] {
        m_state.testReaction(
            ReactionConfig{QStringLiteral("\U0001F680"), SoundEffect::moan, QStringLiteral("Test zing!")});
    });
    row->addWidget(fire);
    layout->addLayout(row);
    return card;
}
