#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace MenuTabs {
Q_NAMESPACE

// The tabs of the menu-bar panel.
enum class MenuTab { dashboard, goals, triggers, connect, help };
Q_ENUM_NS(MenuTab)

inline const QList<MenuTab>& allCases() {
    return EnumNames::allCases<MenuTab>();
}
inline QString rawValue(MenuTab tab) {
    return EnumNames::rawValue(tab);
}
inline std::optional<MenuTab> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<MenuTab>(raw);
}
// Every tab but help, in declaration order: the ones the panel's tab bar shows.
const QList<MenuTab>& mainTabs();
} // namespace MenuTabs

using MenuTabs::MenuTab;
