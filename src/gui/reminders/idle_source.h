// SPDX-License-Identifier: MIT
#pragma once
// How long the desktop has had no keyboard or mouse input, asked once per timer tick.

#include <cstdint>
#include <memory>
#include <optional>

#include "time/clock.h"

namespace tally {

class IdleSource {
  public:
    virtual ~IdleSource() = default;
    // Whole seconds since the last input; none when the platform did not answer this time.
    virtual std::optional<std::int64_t> IdleSeconds() = 0;
};

// The first source on this desktop that answers: X11's MIT-SCREEN-SAVER extension on an X11
// session, else the Wayland compositor's ext-idle-notify-v1 (times read from clock), else the
// session's org.freedesktop.ScreenSaver or org.gnome.Mutter.IdleMonitor over D-Bus; none when
// nothing answers.
std::unique_ptr<IdleSource> PlatformIdleSource(const Clock& clock);

}  // namespace tally
