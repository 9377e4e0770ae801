#include "invoice/invoice_lines.h"

#include "core/c_format.h"

namespace tally {
namespace {

// Minutes are multiplied by this double, not divided by 60: the amounts depend on it.
constexpr double kHourPerMinute = 0.016666666666666666;

}  // namespace

std::string DayLine(const CalendarDate& day, std::int64_t seconds, double rate, bool last) {
    const std::int64_t hours = seconds / 3600 - (seconds / 86400) * 24;
    const std::int64_t minutes = seconds / 60 - (seconds / 3600) * 60;
    const double amount =
        (static_cast<double>(minutes) * kHourPerMinute + static_cast<double>(hours)) * rate;
    return FormatC(
        last ? "%d-%02d-%02d %02lld:%02lld = %.02f\r\n" : "%d-%02d-%02d %lld:%02lld = %.02f\r\n",
        day.year, day.month, day.day, static_cast<long long>(hours),
        static_cast<long long>(minutes), amount);
}

std::string TotalLine(std::int64_t seconds, double rate) {
    const std::int64_t days = seconds / 86400;
    const std::int64_t hours = seconds / 3600 - days * 24;
    const std::int64_t minutes = seconds / 60 - (seconds / 3600) * 60;
    const double amount =
        ((static_cast<double>(minutes) * kHourPerMinute + static_cast<double>(days) * 24.0) +
         static_cast<double>(hours)) *
        rate;
    return FormatC("%lld hours, %2lld minutes = %.02f\r\n",
                   static_cast<long long>(days * 24 + hours), static_cast<long long>(minutes),
                   amount);
}

}  // namespace tally
