#pragma once

#include <QByteArray>
#include <functional>

// On a Wayland session the panel cannot be placed and the overlay cannot stay above other windows, so the
// program runs on X (XWayland) when it can, unless the user chose a platform.
namespace DesktopPlatform {

using Environment = std::function<QByteArray(const char* name)>;

// The platform to force ("xcb"), or empty to leave Qt's choice alone.
QByteArray preferred(const Environment& environment);
// Applies preferred() to this process; call before the application object exists.
void chooseBeforeStart();

} // namespace DesktopPlatform
