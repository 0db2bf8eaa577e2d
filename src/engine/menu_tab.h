#pragma once

#include <QList>
#include <QString>
#include <optional>

// The tabs of the menu-bar panel.
enum class MenuTab { dashboard, goals, triggers, connect, help };

namespace MenuTabs {
const QList<MenuTab>& allCases();
QString rawValue(MenuTab tab);
std::optional<MenuTab> fromRawValue(const QString& raw);
// Every tab but help, in declaration order: the ones the panel's tab bar shows.
const QList<MenuTab>& mainTabs();
} // namespace MenuTabs
