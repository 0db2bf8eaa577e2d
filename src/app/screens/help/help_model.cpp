#include "app/screens/help/help_model.h"

void HelpModel::toggle(const QString& id) {
    if (isExpanded(id))
        m_expandedId.reset();
    else
        m_expandedId = id;
}
