#include "app/shell/window_titles.h"

namespace WindowTitles {

QString goalEditor(const Goal& goal, bool isNew) {
    if (isNew)
        return QStringLiteral("New Goal");
    return goal.name.isEmpty() ? QStringLiteral("Edit Goal") : goal.name;
}

QString triggerEditor(bool isNew) {
    return isNew ? QStringLiteral("New Trigger") : QStringLiteral("Edit Trigger");
}

} // namespace WindowTitles
