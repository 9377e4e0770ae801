#pragma once
// What the application, its frame and its view take from outside: the settings store, the
// clock, where messages go, the framework's dialogs and the timer's period. The program
// passes the real ones; tests pass their own.

#include <chrono>

#include "core/clock.h"
#include "core/reporter.h"
#include "settings/settings_store.h"
#include "ui/framework_dialogs.h"

namespace tally {

inline constexpr std::chrono::milliseconds kTimerPeriod{1000};

struct AppServices {
    SettingsStore& store;
    const Clock& clock;
    Reporter& reporter;
    FrameworkDialogs& dialogs;
    std::chrono::milliseconds timerPeriod = kTimerPeriod;
};

}  // namespace tally
