// SPDX-License-Identifier: MIT
#pragma once
// Idle time from a Wayland compositor's ext-idle-notify-v1: it tells when the seat has had no
// input for a few seconds and when input came back; the idle time is counted from there.

#include <memory>

#include "reminders/idle_source.h"
#include "time/clock.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;

namespace tally {

class WaylandIdleSource final : public IdleSource {
  public:
    // None when there is no Wayland display or its compositor does not offer the protocol.
    static std::unique_ptr<WaylandIdleSource> Open(const Clock& clock);
    ~WaylandIdleSource() override;
    WaylandIdleSource(const WaylandIdleSource&) = delete;
    WaylandIdleSource& operator=(const WaylandIdleSource&) = delete;

    std::optional<std::int64_t> IdleSeconds() override;

  private:
    WaylandIdleSource(wl_display* display, const Clock& clock)
        : m_display(display), m_clock(clock) {}
    // Reads what the compositor sent without waiting; false once the connection is lost.
    bool ReadEvents();

    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}
    static void OnIdled(void* data, ext_idle_notification_v1*);
    static void OnResumed(void* data, ext_idle_notification_v1*);

    // A connection of our own: Qt's may be another platform's.
    wl_display* m_display;
    const Clock& m_clock;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_notifier = nullptr;
    ext_idle_notification_v1* m_notification = nullptr;
    std::optional<TimeValue> m_inputStopped;  // none: input since the last "idled"
};

}  // namespace tally
