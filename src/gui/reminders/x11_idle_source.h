// SPDX-License-Identifier: MIT
#pragma once
// Idle time from the X server's MIT-SCREEN-SAVER extension (libXss).

#include <memory>

#include "reminders/idle_source.h"

struct _XDisplay;

namespace tally {

class X11IdleSource final : public IdleSource {
  public:
    // None when there is no X display or it lacks the extension.
    static std::unique_ptr<X11IdleSource> Open();
    ~X11IdleSource() override;
    X11IdleSource(const X11IdleSource&) = delete;
    X11IdleSource& operator=(const X11IdleSource&) = delete;

    std::optional<std::int64_t> IdleSeconds() override;

  private:
    explicit X11IdleSource(_XDisplay* display) : m_display(display) {}

    // A connection of our own: Qt's may be another platform's, and this one stays valid
    // for as long as the source lives.
    _XDisplay* m_display;
};

}  // namespace tally
