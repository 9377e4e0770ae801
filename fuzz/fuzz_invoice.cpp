// SPDX-License-Identifier: MIT
// The invoice over arbitrary bytes and dates: the first bytes choose the date range, the rate
// and the rounding, the rest is the time log. The text must keep its layout, and the total
// must hold at least what the day lines show.

#include <cinttypes>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "invoice/invoice.h"
#include "invoice/invoice_lines.h"
#include "time/calendar_date.h"

namespace tally::fuzz {
namespace {

// Years around those a log holds, and month and day numbers with some beyond their range.
CalendarDate ChooseDate(InputBytes& input) {
    return {1980 + input.Choice(90), 1 + input.Choice(13), input.Choice(33)};
}

// Each line ends in CR LF; the day lines' minutes add up to no more than the total's.
void CheckInvoiceText(const std::string& text) {
    if (text == kNothingBilledText) return;
    TALLY_FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0);
    long long dayMinutes = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        TALLY_FUZZ_CHECK(end != std::string::npos);
        const std::string line = text.substr(start, end - start);
        start = end + 2;
        int year = 0, month = 0, day = 0, hours = 0, minutes = 0;
        if (start == text.size()) {
            long long totalHours = 0;
            TALLY_FUZZ_CHECK(
                std::sscanf(line.c_str(), "%lld hours, %d minutes =", &totalHours, &minutes) == 2);
            TALLY_FUZZ_CHECK(totalHours >= 0 && minutes >= 0 && minutes < 60);
            TALLY_FUZZ_CHECK(dayMinutes <= totalHours * 60 + minutes);
            return;
        }
        TALLY_FUZZ_CHECK(std::sscanf(line.c_str(), "%d-%d-%d %d:%d =", &year, &month, &day, &hours,
                                     &minutes) == 5);
        // A misaligned log may bill a record of year 0 (atoi of garbage): any year, but a
        // date of the calendar.
        TALLY_FUZZ_CHECK(month >= 1 && month <= 12 && day >= 1 &&
                         day <= DaysInMonth(year, month - 1));
        TALLY_FUZZ_CHECK(hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60);
        dayMinutes += hours * 60 + minutes;
    }
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    fuzz::InputBytes input(data, size);
    const CalendarDate start = fuzz::ChooseDate(input);
    const CalendarDate end = fuzz::ChooseDate(input);
    const double rate = input.Byte() / 4.0;
    static constexpr int kUnits[] = {0, 1, 15, 30, 7, -15, 60, 1440};
    const RoundingOptions rounding{input.Choice(5), kUnits[input.Choice(8)]};
    // The invoice command and dialog take only real dates.
    if (!IsRealDate(start) || !IsRealDate(end)) return 0;
    const fuzz::MemoryFile log(input.Rest());
    const auto text = GenerateInvoice(log.Path(), start, end, rate, rounding);
    TALLY_FUZZ_CHECK(text.has_value());
    fuzz::CheckInvoiceText(*text);
    return 0;
}
