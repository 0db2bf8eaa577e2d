#pragma once

#include "engine/menu_tab.h"

#include <QMap>
#include <QWidget>

class AppState;
class ConnectSession;
class DemoSimulator;
class QMenu;
class ShellActions;
class ZingScrollArea;
class ZingTabButton;

// The panel: header with the "more" menu, the tab row and the selected tab's content.
class MenuBarPanelView : public QWidget {
    Q_OBJECT
public:
    // `connects` runs what the Connect tab starts, beyond the panel's life.
    MenuBarPanelView(AppState& state, ShellActions& shell, DemoSimulator& demo, ConnectSession& connects,
                     QWidget* parent = nullptr);

    ZingTabButton* moreButton() const { return m_more; }
    QMenu* moreMenu() const { return m_moreMenu; }
    ZingTabButton* tabButton(MenuTab tab) const { return m_tabButtons.value(tab); }
    // The content shown for the selected tab.
    QWidget* currentContent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildTabRow();
    void showSelectedTab();
    void openMoreMenu();

    AppState& m_state;
    ShellActions& m_shell;
    DemoSimulator& m_demo;
    ConnectSession& m_connects;
    ZingTabButton* m_more = nullptr;
    QMenu* m_moreMenu = nullptr;
    QMap<MenuTab, ZingTabButton*> m_tabButtons;
    ZingScrollArea* m_content = nullptr;
    MenuTab m_shownTab = MenuTab::dashboard;
};
