// SPDX-License-Identifier: MIT
#include "reminders/x11_idle_source.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace tally {

std::unique_ptr<X11IdleSource> X11IdleSource::Open() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11IdleSource>(new X11IdleSource(display));
}

X11IdleSource::~X11IdleSource() {
    XCloseDisplay(m_display);
}

std::optional<std::int64_t> X11IdleSource::IdleSeconds() {
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), &info)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info.idle / 1000);
}

}  // namespace tally
