// SPDX-License-Identifier: MIT
#include "interchange/wall_clock.h"

#include "core/pair_time.h"
#include "interchange/pair_export.h"

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

}  // namespace tally
