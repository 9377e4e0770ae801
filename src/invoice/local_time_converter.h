#pragma once
// Local wall-clock fields to calendar time, learning each day's UTC offsets once: a scan
// meets the same few days over and over, and mktime is far slower than an addition
// (with TZ unset it reads the zone file's status on every call).

#include <array>
#include <cstdint>

#include "core/local_time.h"

namespace tally {

struct WallTime {
    int year = 1970;
    int month = 1;  // 1-12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct LocalInstant {
    TimeValue time = 0;
    WallTime wall;  // the local-time breakdown of time
};

class LocalTimeConverter {
  public:
    // The calendar time of a wall time, with its breakdown. Fields outside their ranges
    // carry into the next larger field as mktime does (hour 24 is the next day's
    // midnight, day 0 the last day of the month before); a wall time that occurs twice
    // is taken at its first occurrence, one in a spring gap moved forward by the gap.
    LocalInstant Convert(const WallTime& wall);

  private:
    // What a day's wall times need: its UTC offsets before and after the clock change
    // near it (the same on most days) and the first instant of the later offset.
    struct Day {
        std::int64_t number = INT64_MIN;  // days since 1970-01-01
        WallTime date;
        long before = 0;  // seconds east of UTC
        long after = 0;
        TimeValue change = 0;
    };

    const Day& DayOf(std::int64_t number);

    // The last date converted and its day number (1970-01-01 is day 0): most records
    // share their date.
    int lastYear_ = 1970;
    int lastMonth_ = 1;
    int lastDay_ = 1;
    std::int64_t lastNumber_ = 0;
    std::array<Day, 4> days_;
    std::size_t next_ = 0;
};

}  // namespace tally
