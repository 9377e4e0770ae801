// SPDX-License-Identifier: MIT
#pragma once
// When to remind a user who is clocked in: on coming back after a time away from the
// keyboard and mouse (a forgotten Clock Out), and once per In after a long time clocked in.
// Fed once per timer tick with the clock's time and the platform's idle time, so that tests
// drive it with made-up ones.

#include <cstdint>
#include <optional>
#include <string>

#include "core/local_time.h"

namespace tally {

// One tick's view of the user.
struct ReminderTick {
    bool clockedIn = false;
    TimeValue inAt = 0;  // the open In's instant, when clocked in
    TimeValue now = 0;
    std::optional<std::int64_t> idleSeconds;  // none: no idle source on this desktop
};

// The user was away while clocked in, from leftAt (input stopped, never before the In) to
// backAt (input resumed).
struct AwayTime {
    TimeValue leftAt = 0;
    TimeValue backAt = 0;
    friend bool operator==(const AwayTime&, const AwayTime&) = default;
};

struct ReminderDecision {
    std::optional<AwayTime> away;  // raise the idle prompt
    bool longDay = false;          // remind of the long day (once per In)
};

class ReminderRules {
  public:
    // Minutes without input that count as away, hours clocked in that make a long day; 0
    // turns either off.
    void SetLimits(int idleMinutes, int longDayHours);

    ReminderDecision OnTick(const ReminderTick& tick);

  private:
    std::optional<AwayTime> CheckAway(const ReminderTick& tick);

    std::int64_t idleLimit_ = 0;          // seconds
    std::int64_t longDayLimit_ = 0;       // seconds
    std::optional<TimeValue> awaySince_;  // input stopped then, long enough ago to count
    TimeValue awayIn_ = 0;                // the In that was open then
    std::int64_t lastIdle_ = 0;
    std::optional<TimeValue> remindedIn_;  // the In whose long day was reminded of
};

// "You were away from 12:03 to 13:10 (1:07:00) while clocked in."
std::string AwayText(const AwayTime& away);
// "You have been clocked in since 08:02 (10:00:00)."
std::string LongDayText(TimeValue inAt, TimeValue now);

}  // namespace tally
