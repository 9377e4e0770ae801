// SPDX-License-Identifier: MIT
#pragma once
// Idle time from the session's D-Bus: org.freedesktop.ScreenSaver.GetSessionIdleTime (KDE and
// others) or org.gnome.Mutter.IdleMonitor.GetIdletime (GNOME), whichever answers.

#include <QString>
#include <memory>

#include "reminders/idle_source.h"

namespace tally {

class DBusIdleSource final : public IdleSource {
  public:
    // The first of the two services that answers a call; none when neither does.
    static std::unique_ptr<DBusIdleSource> Open();

    std::optional<std::int64_t> IdleSeconds() override;

  private:
    struct Service {
        const char* name;
        const char* path;
        const char* interface;
        const char* method;
    };
    explicit DBusIdleSource(const Service& service) : m_service(service) {}
    static std::optional<std::int64_t> Ask(const Service& service);

    Service m_service;
};

}  // namespace tally
