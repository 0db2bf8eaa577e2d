#include "app/screens/panel/menu_bar_panel_view.h"

#include "app/components/zing_artwork.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_symbols.h"
#include "app/components/zing_tab_button.h"
#include "app/screens/panel/dashboard_view.h"
#include "app/screens/panel/gradient_name_label.h"
#include "app/screens/panel/panel_tab_screens.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 14;

QString tabSymbol(MenuTab tab) {
    switch (tab) {
    case MenuTab::dashboard:
        return QStringLiteral("waveform.path.ecg");
    case MenuTab::goals:
        return QStringLiteral("target");
    case MenuTab::triggers:
        return QStringLiteral("bolt.fill");
    case MenuTab::connect:
        return QStringLiteral("link");
    case MenuTab::help:
        return QStringLiteral("questionmark.circle");
    }
    return {};
}

QString tabLabel(MenuTab tab) {
    switch (tab) {
    case MenuTab::dashboard:
        return QStringLiteral("Live");
    case MenuTab::goals:
        return QStringLiteral("Goals");
    case MenuTab::triggers:
        return QStringLiteral("Triggers");
    case MenuTab::connect:
        return QStringLiteral("Connect");
    case MenuTab::help:
        return QStringLiteral("Help");
    }
    return {};
}

} // namespace

MenuBarPanelView::MenuBarPanelView(AppState& state, ShellActions& shell, DemoSimulator& demo,
                                   ConnectSession& connects, QWidget* parent)
    : QWidget(parent), m_state(state), m_shell(shell), m_demo(demo), m_connects(connects) {
    setObjectName(QStringLiteral("menuBarPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(10);
    layout->addWidget(buildHeader());
    layout->addWidget(buildTabRow());
    m_content = new ZingScrollArea(this);
    m_content->setObjectName(QStringLiteral("panelContent"));
    layout->addWidget(m_content, 1);

    connect(&m_state, &AppState::selectedTabChanged, this, &MenuBarPanelView::showSelectedTab);
    m_shownTab = m_state.selectedTab();
    showSelectedTab();
}

QWidget* MenuBarPanelView::currentContent() const {
    return m_content->widget();
}

QWidget* MenuBarPanelView::buildHeader() {
    auto* header = new QWidget(this);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto* logo = new QLabel(header);
    logo->setObjectName(QStringLiteral("panelLogo"));
    logo->setPixmap(ZingArtwork::pixmap(QStringLiteral("Logo"), 36, devicePixelRatioF()));
    layout->addWidget(logo, 0, Qt::AlignVCenter);
    auto* names = new QVBoxLayout;
    names->setSpacing(0);
    names->addWidget(new GradientNameLabel(QStringLiteral("Zingboard"), header));
    auto* tagline = new QLabel(QStringLiteral("Your metrics hit different."), header);
    QPalette palette = tagline->palette();
    palette.setColor(QPalette::WindowText, ZingTheme::inkMuted());
    tagline->setPalette(palette);
    names->addWidget(tagline);
    layout->addLayout(names, 1);
    m_more = new ZingTabButton(QString(), header);
    m_more->setObjectName(QStringLiteral("moreButton"));
    m_more->setSymbol(QStringLiteral("ellipsis.vertical"), 16);
    m_more->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_more->setToolTip(QStringLiteral("More"));
    m_more->setAccessibleName(QStringLiteral("More"));
    connect(m_more, &QPushButton::clicked, this, &MenuBarPanelView::openMoreMenu);
    m_moreMenu = new QMenu(this);
    m_moreMenu->setObjectName(QStringLiteral("moreMenu"));
    QAction* settings = m_moreMenu->addAction(
        ZingSymbols::icon(QStringLiteral("gearshape"), ZingTheme::ink(), 14), QStringLiteral("Settings"));
    settings->setObjectName(QStringLiteral("moreSettings"));
    QAction* help =
        m_moreMenu->addAction(ZingSymbols::icon(QStringLiteral("questionmark.circle"), ZingTheme::ink(), 14),
                              QStringLiteral("Help && FAQ"));
    help->setObjectName(QStringLiteral("moreHelp"));
    connect(settings, &QAction::triggered, this, [this] { m_shell.showSettings(); });
    connect(help, &QAction::triggered, this, [this] { m_state.setSelectedTab(MenuTab::help); });
    layout->addWidget(m_more, 0, Qt::AlignTop);
    return header;
}

QWidget* MenuBarPanelView::buildTabRow() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("tabRow"));
    // Tab moves from button to button, not onto the row that holds them.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    auto* row = new QWidget(scroll);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (MenuTab tab : MenuTabs::mainTabs()) {
        auto* button = new ZingTabButton(tabLabel(tab), row);
        button->setObjectName(QStringLiteral("tab_") + MenuTabs::rawValue(tab));
        button->setSymbol(tabSymbol(tab), 12);
        connect(button, &QPushButton::clicked, this, [this, tab] { m_state.setSelectedTab(tab); });
        layout->addWidget(button);
        m_tabButtons.insert(tab, button);
    }
    scroll->setWidget(row);
    row->setAutoFillBackground(false);
    scroll->setFixedHeight(row->sizeHint().height());
    return scroll;
}

void MenuBarPanelView::showSelectedTab() {
    const MenuTab tab = m_state.selectedTab();
    for (auto it = m_tabButtons.constBegin(); it != m_tabButtons.constEnd(); ++it)
        it.value()->setSelected(it.key() == tab);
    // Help has no tab button; the dots stand for it.
    m_more->setSelected(tab == MenuTab::help);
    if (tab == m_shownTab && m_content->widget())
        return;
    m_shownTab = tab;
    QWidget* content = nullptr;
    switch (tab) {
    case MenuTab::dashboard:
        content = new DashboardView(m_state, m_shell, m_demo);
        break;
    case MenuTab::goals:
        content = makeGoalsTab(m_state, m_shell);
        break;
    case MenuTab::triggers:
        content = makeTriggersTab(m_state, m_shell);
        break;
    case MenuTab::connect:
        content = makeConnectTab(m_connects, m_shell);
        break;
    case MenuTab::help:
        content = makeHelpTab(m_state, m_shell);
        break;
    }
    m_content->setContent(content);
}

void MenuBarPanelView::openMoreMenu() {
    m_moreMenu->popup(
        m_more->mapToGlobal(QPoint(m_more->width() - m_moreMenu->sizeHint().width(), m_more->height())));
}

void MenuBarPanelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ZingTheme::panelBackground().in(rect()));
}
