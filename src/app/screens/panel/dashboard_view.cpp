#include "app/screens/panel/dashboard_view.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_progress_bar.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_symbols.h"
#include "app/screens/panel/goal_progress_ring.h"
#include "app/screens/screen_label.h"
#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "reactions/zing_theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace {

QLabel* title(const QString& text, QWidget* parent) {
    return ScreenLabel::make(text, ZingFonts::rounded(14, QFont::Bold), ZingTheme::ink(), parent);
}

QLabel* note(const QString& text, QWidget* parent, const QColor& colour = ZingTheme::inkMuted()) {
    return ScreenLabel::wrapping(text, ZingFonts::rounded(12), colour, parent);
}

// A symbol in front of a text, both in `colour`, as one row.
QWidget* symbolLine(const QString& symbol, const QString& text, const QFont& font, const QColor& colour,
                    QWidget* parent) {
    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* icon = new QLabel(line);
    const int size = QFontMetrics(font).height() - 2;
    icon->setPixmap(ZingSymbols::pixmap(symbol, colour, size, line->devicePixelRatioF()));
    layout->addWidget(icon);
    layout->addWidget(ScreenLabel::make(text, font, colour, line));
    layout->addStretch(1);
    return line;
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
    m_updated = ScreenLabel::wrapping(QString(), ZingFonts::rounded(11), ZingTheme::inkFaint(), this);
    m_updated->setObjectName(QStringLiteral("pollUpdated"));
    m_layout->addWidget(m_updated);
    m_error = ScreenLabel::wrapping(QString(), ZingFonts::rounded(11), ZingTheme::warning(), this);
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
    auto* card = new ZingCard(this);
    card->setObjectName(QStringLiteral("demoCard"));
    card->addWidget(symbolLine(QStringLiteral("theatermasks.fill"), QStringLiteral("Demo mode is ON"),
                               ZingFonts::rounded(14, QFont::Bold), ZingTheme::lime(), card));
    card->addWidget(
        note(QStringLiteral("Fake purchases roll in automatically. Try the buttons below."), card));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* purchase = new ZingSecondaryButton(QStringLiteral("Simulate purchase"), card);
    purchase->setObjectName(QStringLiteral("simulatePurchase"));
    connect(purchase, &QPushButton::clicked, this, [this] { m_demo.simulateDemoPurchase(); });
    auto* refund = new ZingSecondaryButton(QStringLiteral("Simulate refund"), card);
    refund->setObjectName(QStringLiteral("simulateRefund"));
    connect(refund, &QPushButton::clicked, this, [this] { m_demo.simulateDemoRefund(); });
    buttons->addWidget(purchase);
    buttons->addWidget(refund);
    buttons->addStretch(1);
    card->contentLayout()->addLayout(buttons);
    return card;
}

QWidget* DashboardView::buildGoalsCard(const DashboardModel::GoalsOverview& overview) {
    auto* card = new ZingCard(this);
    card->setObjectName(QStringLiteral("goalsCard"));
    if (overview.isEmpty) {
        card->addWidget(title(QStringLiteral("No goals for today"), card));
        card->addWidget(note(QStringLiteral("Set a target and we'll track your progress here."), card));
        auto* add = new ZingSecondaryButton(QStringLiteral("Add a goal"), card);
        add->setObjectName(QStringLiteral("addGoal"));
        add->setSymbol(QStringLiteral("plus.circle.fill"));
        connect(add, &QPushButton::clicked, this, [this] { m_state.setSelectedTab(MenuTab::goals); });
        card->addWidget(add);
        return card;
    }
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(title(QStringLiteral("Today's goals"), card));
    QLabel* status = note(overview.statusLine, card);
    status->setObjectName(QStringLiteral("goalsStatusLine"));
    texts->addWidget(status);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    auto* ring = new GoalProgressRing(card);
    ring->setProgress(overview.fraction, overview.completedCount, overview.totalCount);
    top->addWidget(ring, 0, Qt::AlignTop);
    card->contentLayout()->addLayout(top);

    for (const DashboardModel::GoalRow& row : overview.rows) {
        auto* rowLayout = new QGridLayout;
        rowLayout->setHorizontalSpacing(8);
        rowLayout->setVerticalSpacing(2);
        rowLayout->addWidget(
            ScreenLabel::wrapping(row.name, ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink(), card), 0,
            0);
        rowLayout->addWidget(
            ScreenLabel::make(row.metricName, ZingFonts::rounded(11), ZingTheme::inkFaint(), card), 1, 0);
        QWidget* right = row.isComplete
                             ? symbolLine(QStringLiteral("checkmark.circle.fill"), QStringLiteral("Done"),
                                          ZingFonts::rounded(12, QFont::Bold), ZingTheme::lime(), card)
                             : ScreenLabel::make(row.progressText, ZingFonts::rounded(12, QFont::DemiBold),
                                                 ZingTheme::inkMuted(), card);
        right->setObjectName(QStringLiteral("goalRowValue"));
        rowLayout->addWidget(right, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
        auto* bar = new ZingProgressBar(card);
        bar->setFraction(row.fraction);
        bar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        rowLayout->addWidget(bar, 2, 0, 1, 2);
        rowLayout->setColumnStretch(0, 1);
        card->contentLayout()->addSpacing(4);
        card->contentLayout()->addLayout(rowLayout);
    }
    return card;
}

QWidget* DashboardView::buildProviderCards(const QList<DashboardModel::ProviderCard>& cards) {
    auto* section = new QWidget(this);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    if (cards.isEmpty()) {
        layout->addWidget(note(QStringLiteral("Connect a provider to see live metrics."), section));
        return section;
    }
    for (const DashboardModel::ProviderCard& data : cards) {
        auto* card = new ZingCard(section);
        card->setObjectName(QStringLiteral("providerCard"));
        auto* head = new QHBoxLayout;
        head->addWidget(
            ScreenLabel::make(data.title, ZingFonts::rounded(13, QFont::Bold), ZingTheme::ink(), card), 1);
        if (data.fetchedAt.isValid()) {
            const QTime time = data.fetchedAt.toTimeZone(m_state.clock().timeZone()).time();
            head->addWidget(ScreenLabel::make(QLocale().toString(time, QLocale::ShortFormat),
                                              ZingFonts::rounded(11), ZingTheme::inkFaint(), card));
        }
        card->contentLayout()->addLayout(head);
        card->addWidget(ScreenLabel::wrapping(data.summary, ZingFonts::rounded(13, QFont::Black),
                                              ZingTheme::ink(), card));
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(8);
        for (qsizetype i = 0; i < data.tiles.size(); ++i) {
            auto* tile = new QWidget(card);
            tile->setObjectName(QStringLiteral("metricTile"));
            auto* tileLayout = new QVBoxLayout(tile);
            tileLayout->setContentsMargins(0, 0, 0, 0);
            tileLayout->setSpacing(0);
            tileLayout->addWidget(
                ScreenLabel::make(data.tiles[i].label, ZingFonts::rounded(10), ZingTheme::inkMuted(), tile));
            QLabel* value = ScreenLabel::make(data.tiles[i].value, ZingFonts::rounded(15, QFont::Bold),
                                              ZingTheme::ink(), tile);
            value->setObjectName(QStringLiteral("metricTileValue"));
            tileLayout->addWidget(value);
            grid->addWidget(tile, int(i / 2), int(i % 2));
        }
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        card->contentLayout()->addLayout(grid);
        layout->addWidget(card);
    }
    return section;
}

QWidget* DashboardView::buildQuickTestCard() {
    auto* card = new ZingCard(this);
    card->setObjectName(QStringLiteral("quickTestCard"));
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(title(QStringLiteral("Quick test"), card));
    texts->addWidget(note(QStringLiteral("Fire a test reaction 🚀"), card));
    row->addLayout(texts, 1);
    auto* fire = new ZingPrimaryButton(QStringLiteral("Test"), card);
    fire->setObjectName(QStringLiteral("testReaction"));
    fire->setSymbol(QStringLiteral("play.fill"));
    connect(fire, &QPushButton::clicked, this, [this] {
        m_state.testReaction(
            ReactionConfig{QStringLiteral("\U0001F680"), SoundEffect::moan, QStringLiteral("Test zing!")});
    });
    row->addWidget(fire, 0, Qt::AlignVCenter);
    card->contentLayout()->addLayout(row);
    return card;
}
