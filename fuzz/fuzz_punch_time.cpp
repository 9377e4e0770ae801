// SPDX-License-Identifier: MIT
// The --at TIME reader and the date words over arbitrary text, against a now in the years a
// log may hold (four bytes) and a week start (one byte). A time read is written as local
// time and read again to the same instant; a time before now is not after it; a day read is
// a calendar day; a range holds its days in order, "this" ones today too.

#include <cstdio>

#include "fuzz_support.h"
#include "time/calendar.h"
#include "time/punch_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    fuzz::InputBytes input(data, size);
    std::uint32_t offset = 0;
    for (int i = 0; i < 4; ++i) offset = offset << 8 | input.Byte();
    const TimeValue first = FromLocalTime(kFirstLoggableYear, 1, 1, 0, 0, 0);
    const TimeValue last = FromLocalTime(kLastLoggableYear, 12, 31, 23, 59, 59);
    const TimeValue now = first + static_cast<TimeValue>(offset) % (last - first);
    const int weekStartDay = input.Choice(8);  // 7 is none: weeks begin on Sunday
    const std::string_view text = input.Rest();
    const CalendarDate today = LocalDateOf(now);

    if (const auto when = ParsePunchTime(text, now)) {
        if (text.starts_with('-')) TALLY_FUZZ_CHECK(*when <= now);
        const std::tm local = ToLocalTm(*when);
        char written[64];
        std::snprintf(written, sizeof written, "%04d-%02d-%02d %02d:%02d:%02d",
                      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, local.tm_sec);
        TALLY_FUZZ_CHECK(ParsePunchTime(written, now) == when);
    }
    if (const auto day = ParseDayText(text, today)) {
        TALLY_FUZZ_CHECK(IsRealDate(*day) && ParseDayText(IsoDayText(*day), today) == day);
    }
    if (!text.starts_with("today ") && !text.starts_with("yesterday "))
        TALLY_FUZZ_CHECK(WithDayWordDated(text, today) == text);
    if (const auto range = ParseRangeWord(text, today, weekStartDay)) {
        const auto [from, to] = *range;
        TALLY_FUZZ_CHECK(IsRealDate(from) && IsRealDate(to) && DaysOf(from) <= DaysOf(to));
        if (text.starts_with("this-"))
            TALLY_FUZZ_CHECK(DaysOf(from) <= DaysOf(today) && DaysOf(today) <= DaysOf(to));
    }
    return 0;
}
