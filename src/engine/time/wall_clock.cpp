// SPDX-License-Identifier: MIT
#include "time/wall_clock.h"

#include "time/c_format.h"
#include "time/pair_time.h"

namespace tally {

std::int64_t WallCountOf(const LocalFields& f) {
    return WallSeconds({f.year, f.month - 1, f.day, f.hour, f.minute, f.second});
}

LocalFields WallFieldsOf(std::int64_t count) {
    const WallTime t = WallTimeOf(count);
    return {t.date.year,
            t.date.month,
            t.date.day,
            t.hour,
            t.minute,
            t.second,
            WeekdayOf(DaysOf(t.date))};
}

std::string WallTimeText(std::int64_t count) {
    return ExportTimeText(WallTimeOf(count));
}

std::string ExportTimeText(const WallTime& t, char separator) {
    return FormatC("%04d%c%02d%c%02d %02d:%02d:%02d", t.date.year, separator, t.date.month,
                   separator, t.date.day, t.hour, t.minute, t.second);
}

}  // namespace tally
