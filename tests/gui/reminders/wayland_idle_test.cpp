// SPDX-License-Identifier: MIT
// The idle time from a stand-in compositor (libwayland-server on a thread, its socket in a
// folder of the test's own) that offers a seat and, or not, ext-idle-notify-v1.

#include <gtest/gtest.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-server.h>

#include <cstdlib>
#include <thread>

#include "ext-idle-notify-v1-server-protocol.h"
#include "reminders/wayland_idle_source.h"
#include "test_support.h"

namespace tally::test {
namespace {

// Sends "idled" as the client asks for its notification, and "resumed" when Resume() says.
struct StandInCompositor {
    StandInCompositor(const TempDir& runtime, bool offerNotifier) {
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        setenv("WAYLAND_DISPLAY", wl_display_add_socket_auto(display), 1);
        wl_global_create(display, &wl_seat_interface, 1, nullptr, &Bind);
        if (offerNotifier)
            wl_global_create(display, &ext_idle_notifier_v1_interface, 1, this, &Bind);
        wl_event_loop_add_fd(wl_display_get_event_loop(display), resume, WL_EVENT_READABLE,
                             &OnResume, this);
        thread = std::thread(wl_display_run, display);
    }
    ~StandInCompositor() {
        wl_display_terminate(display);  // wakes the loop through a descriptor: any thread may
        thread.join();
        wl_display_destroy_clients(display);
        wl_display_destroy(display);
        close(resume);
    }
    void Resume() const { eventfd_write(resume, 1); }

    // The seat has no data and no requests: the client makes none of it.
    static void Bind(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
        static const struct ext_idle_notifier_v1_interface kNotifier = {&Destroy, &Notify};
        wl_resource* resource = wl_resource_create(
            client, data ? &ext_idle_notifier_v1_interface : &wl_seat_interface, version, id);
        wl_resource_set_implementation(resource, data ? &kNotifier : nullptr, data, nullptr);
    }
    static void Destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }
    static void Notify(wl_client* client, wl_resource* notifier, std::uint32_t id, std::uint32_t,
                       wl_resource*) {
        static const struct ext_idle_notification_v1_interface kNotification = {&Destroy};
        auto* self = static_cast<StandInCompositor*>(wl_resource_get_user_data(notifier));
        self->notification = wl_resource_create(client, &ext_idle_notification_v1_interface, 1, id);
        wl_resource_set_implementation(self->notification, &kNotification, nullptr, nullptr);
        ext_idle_notification_v1_send_idled(self->notification);
    }
    static int OnResume(int fd, std::uint32_t, void* data) {
        eventfd_t count = 0;
        eventfd_read(fd, &count);
        ext_idle_notification_v1_send_resumed(static_cast<StandInCompositor*>(data)->notification);
        return 0;
    }

    wl_display* display = wl_display_create();
    wl_resource* notification = nullptr;
    int resume = eventfd(0, 0);
    std::thread thread;
};

TEST(WaylandIdleSource, fromTheCompositorsIdledUntilResumedElseNone) {
    TempDir runtime;
    FakeClock clock(At(2026, 12, 7, 12, 0, 0));
    {
        const StandInCompositor lacking(runtime, false);
        EXPECT_EQ(WaylandIdleSource::Open(clock), nullptr);
    }
    auto compositor = std::make_unique<StandInCompositor>(runtime, true);
    std::unique_ptr<WaylandIdleSource> idle = WaylandIdleSource::Open(clock);
    ASSERT_NE(idle, nullptr);
    clock.Advance(600);  // told after five seconds without input: input stopped before that
    EXPECT_EQ(idle->IdleSeconds(), 605);
    compositor->Resume();
    std::optional<std::int64_t> seconds;
    for (int i = 0; i < 500 && (seconds = idle->IdleSeconds()) != 0; ++i) usleep(10'000);
    EXPECT_EQ(seconds, 0);
    compositor.reset();
    for (int i = 0; i < 500 && (seconds = idle->IdleSeconds()) == 0; ++i) usleep(10'000);
    EXPECT_EQ(seconds, std::nullopt);  // the compositor is gone
}

}  // namespace
}  // namespace tally::test
