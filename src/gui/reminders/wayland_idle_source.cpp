// SPDX-License-Identifier: MIT
#include "reminders/wayland_idle_source.h"

#include <poll.h>
#include <wayland-client.h>

#include <cstring>

#include "ext-idle-notify-v1-client-protocol.h"

namespace tally {
namespace {

// Seconds without input before the compositor says so. Input stopped that long before the
// word came, so the time away is exact; only shorter pauses, which never count, read as 0.
constexpr std::int64_t kNoticeSeconds = 5;

}  // namespace

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::Open(const Clock& clock) {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return nullptr;
    std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource(display, clock));
    static const wl_registry_listener kRegistry = {&OnGlobal, &OnGlobalRemoved};
    source->m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(source->m_registry, &kRegistry, source.get());
    if (wl_display_roundtrip(display) < 0 || source->m_notifier == nullptr ||
        source->m_seat == nullptr) {
        return nullptr;
    }
    static const ext_idle_notification_v1_listener kNotification = {&OnIdled, &OnResumed};
    source->m_notification = ext_idle_notifier_v1_get_idle_notification(
        source->m_notifier, kNoticeSeconds * 1000, source->m_seat);
    ext_idle_notification_v1_add_listener(source->m_notification, &kNotification, source.get());
    if (wl_display_roundtrip(display) < 0) return nullptr;
    return source;
}

WaylandIdleSource::~WaylandIdleSource() {
    if (m_notification != nullptr) ext_idle_notification_v1_destroy(m_notification);
    if (m_notifier != nullptr) ext_idle_notifier_v1_destroy(m_notifier);
    if (m_seat != nullptr) wl_seat_destroy(m_seat);
    if (m_registry != nullptr) wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

std::optional<std::int64_t> WaylandIdleSource::IdleSeconds() {
    if (!ReadEvents()) return std::nullopt;
    if (!m_inputStopped) return 0;
    return std::max<std::int64_t>(m_clock.Now() - *m_inputStopped, 0);
}

bool WaylandIdleSource::ReadEvents() {
    // Asked once a second on the window's thread: never wait for the compositor.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) return false;
    }
    wl_display_flush(m_display);
    pollfd ready{wl_display_get_fd(m_display), POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) {
        if (wl_display_read_events(m_display) < 0) return false;
    } else {
        wl_display_cancel_read(m_display);
    }
    // A compositor that closed the connection (reading it gives no error) tells nothing more.
    return wl_display_dispatch_pending(m_display) >= 0 && (ready.revents & POLLHUP) == 0;
}

void WaylandIdleSource::OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                                 const char* interface, std::uint32_t) {
    auto* self = static_cast<WaylandIdleSource*>(data);
    if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0 &&
        self->m_notifier == nullptr) {
        self->m_notifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && self->m_seat == nullptr) {
        // The first seat: a desktop with more than one is rare, and its first is the main one.
        self->m_seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}

void WaylandIdleSource::OnIdled(void* data, ext_idle_notification_v1*) {
    auto* self = static_cast<WaylandIdleSource*>(data);
    self->m_inputStopped = self->m_clock.Now() - kNoticeSeconds;
}

void WaylandIdleSource::OnResumed(void* data, ext_idle_notification_v1*) {
    static_cast<WaylandIdleSource*>(data)->m_inputStopped.reset();
}

}  // namespace tally
