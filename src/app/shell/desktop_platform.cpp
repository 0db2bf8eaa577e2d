#include "app/shell/desktop_platform.h"

#include <QtGlobal>

namespace DesktopPlatform {

QByteArray preferred(const Environment& environment) {
    if (!environment("QT_QPA_PLATFORM").isEmpty() || environment("DISPLAY").isEmpty())
        return {};
    const bool wayland =
        environment("XDG_SESSION_TYPE") == "wayland" || !environment("WAYLAND_DISPLAY").isEmpty();
    return wayland ? QByteArrayLiteral("xcb") : QByteArray();
}

void chooseBeforeStart() {
    const QByteArray platform = preferred([](const char* name) { return qgetenv(name); });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace DesktopPlatform
