// SPDX-License-Identifier: MIT
#include <QGuiApplication>

#include "reminders/dbus_idle_source.h"
#include "reminders/idle_source.h"
#include "reminders/wayland_idle_source.h"
#include "reminders/x11_idle_source.h"

namespace tally {

std::unique_ptr<IdleSource> PlatformIdleSource(const Clock& clock) {
    // Under Wayland an X display is XWayland's, which sees only its own clients' input.
    if (QGuiApplication::platformName() == "xcb") {
        if (auto x11 = X11IdleSource::Open()) return x11;
    } else if (QGuiApplication::platformName() == "wayland" ||
               qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        // Asked only on a Wayland desktop: elsewhere the library prints why it cannot connect.
        if (auto wayland = WaylandIdleSource::Open(clock)) return wayland;
    }
    return DBusIdleSource::Open();
}

}  // namespace tally
