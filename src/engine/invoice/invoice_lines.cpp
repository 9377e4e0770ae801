// SPDX-License-Identifier: MIT
#include "invoice/invoice_lines.h"

#include "time/c_format.h"
#include "time/calendar.h"
#include "time/elapsed_time.h"

namespace tally {
namespace {

// Minutes are multiplied by this double, not divided by 60: the amounts depend on it.
constexpr double kHourPerMinute = 0.016666666666666666;

}  // namespace

double DayAmount(std::int64_t seconds, double rate) {
    const ELAPSEDTIME e = SplitWithinDay(seconds);
    return (static_cast<double>(e.nMinutes) * kHourPerMinute + static_cast<double>(e.nHours)) *
           rate;
}

double TotalAmount(std::int64_t seconds, double rate) {
    const std::int64_t days = seconds / kSecondsPerDay;
    const ELAPSEDTIME e = SplitWithinDay(seconds);
    return ((static_cast<double>(e.nMinutes) * kHourPerMinute + static_cast<double>(days) * 24.0) +
            static_cast<double>(e.nHours)) *
           rate;
}

std::string DayLine(const CalendarDate& day, std::int64_t seconds, double rate, bool last) {
    const ELAPSEDTIME e = SplitWithinDay(seconds);
    return FormatC(last ? "%d-%02d-%02d %02d:%02d = %.02f\r\n" : "%d-%02d-%02d %d:%02d = %.02f\r\n",
                   day.year, day.month, day.day, e.nHours, e.nMinutes, DayAmount(seconds, rate));
}

std::string TotalLine(std::int64_t seconds, double rate) {
    const std::int64_t days = seconds / kSecondsPerDay;
    const ELAPSEDTIME e = SplitWithinDay(seconds);
    return FormatC("%lld hours, %2d minutes = %.02f\r\n",
                   static_cast<long long>(days * 24 + e.nHours), e.nMinutes,
                   TotalAmount(seconds, rate));
}

}  // namespace tally
