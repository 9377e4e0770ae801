// SPDX-License-Identifier: MIT
#pragma once
// Calendar times to local wall-clock fields and back, converting each day once: a time log
// holds many punches per day, and localtime/mktime cost far more than an addition.

#include <array>
#include <cstdint>

#include "time/local_time.h"

namespace tally {

struct LocalFields {
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;  // 0 Sunday
};

class LocalDayCache {
  public:
    LocalFields Fields(TimeValue t);

    // The instant of a local wall time, as FromLocalTime gives it: fields outside their
    // ranges carry as mktime's do (hour 24 is the next midnight, June 31 is July 1), a wall
    // time that occurs twice is taken at its first occurrence, one in a spring gap is moved
    // forward by the gap. Given fields, it also stores that instant's local fields there,
    // saving a Fields call.
    TimeValue Time(int year, int month1, int day, int hour, int minute, int second,
                   LocalFields* fields = nullptr);

  private:
    // A day of 86 400 seconds at one UTC offset; days with a clock change are never kept,
    // so their times come from localtime and FromLocalTime themselves.
    struct Day {
        bool valid = false;
        std::int64_t number = 0;  // days since 1970-01-01
        TimeValue start = 0;      // the instant of 00:00:00
        int year = 0;
        int month = 0;
        int day = 0;
        int weekday = 0;
    };

    // The day starting at start, now kept; nullptr when start is not the first second of
    // a whole day.
    const Day* Remember(TimeValue start);

    // Time's way for the wall times its quick look-up misses: by day number, after the
    // carries.
    TimeValue TimeByDayNumber(int year, int month1, int day, int hour, int minute, int second);

    std::array<Day, 2> days_;
    std::size_t next_ = 0;
};

}  // namespace tally
