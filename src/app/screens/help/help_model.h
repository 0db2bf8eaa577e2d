#pragma once

#include <QString>
#include <optional>

// Which help entry is open: at most one at a time.
class HelpModel {
public:
    const std::optional<QString>& expandedId() const { return m_expandedId; }
    bool isExpanded(const QString& id) const { return m_expandedId == id; }
    // Opens the entry, closing any other; pressing the open entry closes it.
    void toggle(const QString& id);

private:
    std::optional<QString> m_expandedId;
};
