#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the panel opens: at the tray icon when the tray reports where it is, otherwise at the pointer; below
// that point when there is room, else above it; always inside the screen's available area.
namespace PanelPlacement {

// Space between the icon (or pointer) and the panel.
inline constexpr int kGap = 4;

// `trayGeometry` is empty when the tray host does not say where the icon is.
QPoint topLeft(QSize panel, const QRect& trayGeometry, QPoint pointer, const QRect& available);

} // namespace PanelPlacement
