#pragma once

#include "model/goal.h"

#include <QString>

namespace WindowTitles {

inline QString onboarding() {
    return QStringLiteral("Welcome to Zingboard");
}
inline QString settings() {
    return QStringLiteral("Zingboard Settings");
}
// "New Goal" for a new goal whatever its name, else its name, or "Edit Goal" when it has none.
QString goalEditor(const Goal& goal, bool isNew);
QString triggerEditor(bool isNew);

} // namespace WindowTitles
