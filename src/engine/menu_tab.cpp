#include "engine/menu_tab.h"

namespace MenuTabs {

const QList<MenuTab>& allCases() {
    static const QList<MenuTab> cases = {MenuTab::dashboard, MenuTab::goals, MenuTab::triggers,
                                         MenuTab::connect, MenuTab::help};
    return cases;
}

QString rawValue(MenuTab tab) {
    switch (tab) {
    case MenuTab::dashboard:
        return QStringLiteral("dashboard");
    case MenuTab::goals:
        return QStringLiteral("goals");
    case MenuTab::triggers:
        return QStringLiteral("triggers");
    case MenuTab::connect:
        return QStringLiteral("connect");
    case MenuTab::help:
        return QStringLiteral("help");
    }
    return {};
}

std::optional<MenuTab> fromRawValue(const QString& raw) {
    for (MenuTab tab : allCases()) {
        if (rawValue(tab) == raw)
            return tab;
    }
    return std::nullopt;
}

const QList<MenuTab>& mainTabs() {
    static const QList<MenuTab> tabs = {MenuTab::dashboard, MenuTab::goals, MenuTab::triggers,
                                        MenuTab::connect};
    return tabs;
}

} // namespace MenuTabs
