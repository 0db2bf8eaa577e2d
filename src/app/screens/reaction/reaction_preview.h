#pragma once

#include "engine/reaction_details.h"
#include "model/reaction_context.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the editors' still picture of a reaction shows besides the reaction itself. Colours come from
// ReactionAccent, shared with the overlay.
namespace ReactionPreview {
// The stamp leans the other way for a refund.
double stampAngle(ReactionContext context);
// "📦 product" and "🏷 plan", each when present; absent when there are no details or neither line.
std::optional<QStringList> chips(const std::optional<ReactionDetails>& details);
// The chips that fit the card's single row: the first two.
QStringList shownChips(const std::optional<QStringList>& chips);
// The big figure: the formatted amount, else the amount line; absent without details.
std::optional<QString> amount(const std::optional<ReactionDetails>& details);
} // namespace ReactionPreview
