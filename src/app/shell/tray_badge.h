#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The live metric drawn into the tray icon, since a tray cannot show text beside its icon.
namespace TrayBadge {

inline constexpr int kMaxCharacters = 4;

// The menu-bar title in at most four characters: "$85", "1234" -> "1.2k", "$12345" -> "$12k"; empty when the
// title is empty or is not a number with an optional prefix.
QString compactText(const QString& title);

// `logo` drawn at `size` pixels with `badge` (already compact) in a pill over its lower part.
QPixmap render(const QIcon& logo, int size, const QString& badge);
// The sizes trays ask for, each drawn on its own so the text stays sharp.
QIcon icon(const QIcon& logo, const QString& badge);

} // namespace TrayBadge
