// SPDX-License-Identifier: MIT
#pragma once
// What the application, its frame and its view take from outside: the settings store, the
// clock, where messages go, the framework's dialogs and the timer's period. The program
// passes the real ones; tests pass their own.

#include <chrono>

#include "log/reporter.h"
#include "reminders/reminder_services.h"
#include "settings/settings_store.h"
#include "time/clock.h"
#include "window/framework_dialogs.h"

namespace tally {

inline constexpr std::chrono::milliseconds kTimerPeriod{1000};

struct AppServices {
    SettingsStore& store;
    const Clock& clock;
    Reporter& reporter;
    FrameworkDialogs& dialogs;
    std::chrono::milliseconds timerPeriod = kTimerPeriod;
    // The idle time and notifications of the desktop; none: no reminders (tests of other
    // parts, printing from the command line).
    const ReminderServices* reminders = nullptr;
};

}  // namespace tally
