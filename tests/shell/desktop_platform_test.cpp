#include "app/shell/desktop_platform.h"
#include "support/qt_printers.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

TEST(DesktopPlatform, XcbOnWaylandWhenXWaylandIsThereAndTheUserChoseNothing) {
    const struct {
        const char* name;
        QMap<QByteArray, QByteArray> environment;
        const char* expected;
    } cases[] = {
        {"wayland session with XWayland", {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "xcb"},
        {"wayland display only named", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}, "xcb"},
        {"user's choice wins",
         {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}},
         ""},
        {"no XWayland", {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}, ""},
        {"X11 session", {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, ""},
        {"nothing at all", {}, ""},
    };
    for (const auto& c : cases) {
        const auto lookup = [&](const char* name) { return c.environment.value(QByteArray(name)); };
        EXPECT_EQ(DesktopPlatform::preferred(lookup), QByteArray(c.expected)) << c.name;
    }
}

} // namespace
