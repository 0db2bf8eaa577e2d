#pragma once

#include <QString>

// The names the desktop knows this program by (autostart entry, installed .desktop file, icon).
namespace AppIdentity {
// Reverse-DNS id: the base name of every .desktop file the program writes or installs.
QString applicationId();
// The name shown to people.
QString displayName();
} // namespace AppIdentity
