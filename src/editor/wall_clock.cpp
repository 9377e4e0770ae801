#include "editor/wall_clock.h"

#include <chrono>

#include "core/c_format.h"
#include "core/calendar.h"

namespace tally {
namespace {

namespace chrono = std::chrono;

constexpr chrono::sys_days kCountStart = chrono::year{1980} / chrono::January / 1;

}  // namespace

std::int64_t WallCountOf(const LocalFields& f) {
    return SecondsFromDate(f.year, f.month - 1, f.day - 1, f.hour, f.minute, f.second);
}

LocalFields WallFieldsOf(std::int64_t count) {
    const std::int64_t dayNumber = count / kSecondsPerDay;
    const std::int64_t second = count % kSecondsPerDay;
    const chrono::sys_days day = kCountStart + chrono::days{dayNumber};
    const chrono::year_month_day date{day};
    LocalFields f;
    f.year = static_cast<int>(date.year());
    f.month = static_cast<int>(static_cast<unsigned>(date.month()));
    f.day = static_cast<int>(static_cast<unsigned>(date.day()));
    f.hour = static_cast<int>(second / 3600);
    f.minute = static_cast<int>(second / 60 % 60);
    f.second = static_cast<int>(second % 60);
    f.weekday = static_cast<int>(chrono::weekday{day}.c_encoding());
    return f;
}

std::string WallTimeText(std::int64_t count) {
    const LocalFields f = WallFieldsOf(count);
    return FormatC("%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour, f.minute,
                   f.second);
}

}  // namespace tally
