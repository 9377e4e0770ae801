#include "core/pair_time.h"

namespace tally {
namespace {

constexpr int kFirstCountedYear = 1980;
constexpr int kLastCountedYear = 9999;

// Integer division rounding toward minus infinity, for days and times before 1970.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

std::int64_t DayNumber(int year, int month1, int day) {
    const std::int64_t y = month1 <= 2 ? year - 1 : year;
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month1 > 2 ? month1 - 3 : month1 + 9) + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

CalendarDate DateOfDayNumber(std::int64_t number) {
    const std::int64_t z = number + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t month1 = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(yearOfEra + era * 400 + (month1 <= 2 ? 1 : 0)),
            static_cast<int>(month1), static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1)};
}

std::optional<CalendarDate> CountedDate(const PunchFields& f) {
    if (f.year < kFirstCountedYear || f.year > kLastCountedYear || f.day < 0 || f.day > 32) {
        return std::nullopt;
    }
    const CalendarDate date = DateOfDayNumber(DayNumber(f.year, f.month + 1, f.day));
    if (date.year > kLastCountedYear) return std::nullopt;  // 9999-12-32
    return date;
}

std::int64_t WallSeconds(const PunchFields& f) {
    return DayNumber(f.year, f.month + 1, f.day) * kSecondsPerDay +
           static_cast<std::int64_t>(f.hour) * 3600 + static_cast<std::int64_t>(f.minute) * 60 +
           f.second;
}

WallTime WallTimeOf(std::int64_t wallSeconds) {
    const std::int64_t days = FloorDiv(wallSeconds, kSecondsPerDay);
    const auto time = static_cast<int>(wallSeconds - days * kSecondsPerDay);
    return {DateOfDayNumber(days), time / 3600, time % 3600 / 60, time % 60};
}

}  // namespace tally
