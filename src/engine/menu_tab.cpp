#include "engine/menu_tab.h"

namespace MenuTabs {

const QList<MenuTab>& mainTabs() {
    static const QList<MenuTab> tabs = [] {
        QList<MenuTab> all = allCases();
        all.removeAll(MenuTab::help);
        return all;
    }();
    return tabs;
}

} // namespace MenuTabs
