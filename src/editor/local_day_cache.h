#pragma once
// Calendar times to local wall-clock fields and back, converting each day once: a time log
// holds many punches per day, and localtime/mktime cost far more than an addition.

#include <array>
#include <cstdint>

#include "core/local_time.h"

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

    // The instant of a local wall time, as FromLocalTime gives it (June 31 is July 1).
    TimeValue Time(int year, int month1, int day, int hour, int minute, int second);

  private:
    // A day of 86 400 seconds at one UTC offset; days with a clock change are never kept.
    struct Day {
        bool valid = false;
        TimeValue start = 0;  // the instant of 00:00:00
        int year = 0;
        int month = 0;
        int day = 0;
        int weekday = 0;
    };

    static bool MakeDay(TimeValue start, Day& day);
    const Day* Remember(const Day& day);

    std::array<Day, 2> days_;
    std::size_t next_ = 0;
};

}  // namespace tally
