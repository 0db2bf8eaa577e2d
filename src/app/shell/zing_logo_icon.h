#pragma once

#include <QIcon>

// The application logo as an icon (tray, windows).
namespace ZingLogoIcon {
QIcon icon();
} // namespace ZingLogoIcon
