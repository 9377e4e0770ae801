// SPDX-License-Identifier: MIT
#pragma once
// When to remind a user who is clocked in: on coming back after a time away from the
// keyboard and mouse (a forgotten Clock Out), and once per In after a long time clocked in.
// Fed once per timer tick with the clock's time and the platform's idle time, and with the
// start and end of a suspend or a screen lock as they happen, so that tests drive it with
// made-up ones.

#include <cstdint>
#include <optional>
#include <string>

#include "time/local_time.h"

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

// A time the desktop says nobody is at it, told as it starts and as it ends.
enum class Absence { Suspend, Lock };

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

    // A suspend or a screen lock started at the given instant.
    void AbsenceBegan(Absence kind, TimeValue at);
    // One ended at tick.now (its idle time is not used). When none is left going and the
    // time since the first of them began, clocked in, reaches the idle limit, the user was
    // away from that start (or from when input stopped, if that already counted as time
    // away before it): a lock and then a suspend are one time away.
    std::optional<AwayTime> AbsenceEnded(Absence kind, const ReminderTick& tick);

  private:
    std::optional<AwayTime> CheckAway(const ReminderTick& tick);

    std::int64_t idleLimit_ = 0;          // seconds
    std::int64_t longDayLimit_ = 0;       // seconds
    std::optional<TimeValue> awaySince_;  // input stopped then, long enough ago to count
    TimeValue awayIn_ = 0;                // the In that was open then
    std::int64_t lastIdle_ = 0;
    bool suspended_ = false;
    bool locked_ = false;
    std::optional<TimeValue> absentSince_;  // the first start of the suspend or lock going on
    std::optional<TimeValue> remindedIn_;   // the In whose long day was reminded of
};

// "You were away from 12:03 to 13:10 (1:07:00) while clocked in."
std::string AwayText(const AwayTime& away);
// "You have been clocked in since 08:02 (10:00:00)."
std::string LongDayText(TimeValue inAt, TimeValue now);

}  // namespace tally
