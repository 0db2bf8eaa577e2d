#pragma once

#include "engine/reaction_details.h"
#include "reactions/zing_theme.h"

#include <QColor>
#include <QString>
#include <optional>

// The per-context look shared by the celebration card and the toast. Absent details use the goal look.
namespace ReactionAccent {
QColor accent(ReactionContext context);
ZingGradient accentGradient(ReactionContext context);
QColor accent(const std::optional<ReactionDetails>& details);
ZingGradient accentGradient(const std::optional<ReactionDetails>& details);
QString stampEmoji(const std::optional<ReactionDetails>& details);
QString stampText(const std::optional<ReactionDetails>& details);
} // namespace ReactionAccent
