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
    } else if (auto wayland = WaylandIdleSource::Open(clock)) {
        return wayland;
    }
    return DBusIdleSource::Open();
}

}  // namespace tally
