// SPDX-License-Identifier: MIT
// The timestamp parser and the split record: arbitrary text never writes outside a field's
// slot, and a formatted timestamp reads back as the fields it was made of.

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "log/record_layout.h"
#include "time/calendar.h"

namespace tally::fuzz {
namespace {

struct Slot {
    int offset;
    int width;
};
constexpr Slot kSlots[] = {{kWeekdayOffset, 3}, {kMonthOffset, 3},  {kDayOffset, 2},
                           {kHourOffset, 2},    {kMinuteOffset, 2}, {kSecondOffset, 2},
                           {kYearOffset, 4}};

// Each field stays in its slot: the bytes between the slots and after the year stay zero.
void CheckSlots(const PunchRecord& r) {
    char used[sizeof r.buf] = {};
    for (const Slot& s : kSlots) std::memset(used + s.offset, 1, static_cast<std::size_t>(s.width));
    for (std::size_t i = 0; i < sizeof r.buf; ++i) TALLY_FUZZ_CHECK(used[i] != 0 || r.buf[i] == 0);
}

// FieldNumber reads as atoi does in the C locale, held to int's range.
void CheckFieldNumber(std::string_view text) {
    const std::string terminated(text.substr(0, text.find('\0')));
    const long long expected = std::strtoll(terminated.c_str(), nullptr, 10);
    const long long held = expected > INT_MAX ? INT_MAX : expected < INT_MIN ? INT_MIN : expected;
    TALLY_FUZZ_CHECK(FieldNumber(text) == held);
}

// A timestamp formatted from fields in their ranges reads back as those fields.
void CheckFormattedReadsBack(InputBytes& input) {
    std::tm t{};
    t.tm_wday = input.Choice(7);
    t.tm_mon = input.Choice(12);
    t.tm_mday = 1 + input.Choice(31);
    t.tm_hour = input.Choice(24);
    t.tm_min = input.Choice(60);
    t.tm_sec = input.Choice(60);
    t.tm_year = 1980 + input.Choice(120) - 1900;
    const std::string text = FormatTimestamp(t);
    TALLY_FUZZ_CHECK(text.size() == kTimestampSize);
    const PunchRecord r = ParseTimestamp(text.data(), text.size());
    TALLY_FUZZ_CHECK(std::strcmp(r.Weekday(), kWeekdayNames[t.tm_wday]) == 0);
    TALLY_FUZZ_CHECK(MonthIndex(r.Month()) == t.tm_mon);
    TALLY_FUZZ_CHECK(r.DayNumber() == t.tm_mday);
    TALLY_FUZZ_CHECK(r.HourNumber() == t.tm_hour);
    TALLY_FUZZ_CHECK(r.MinuteNumber() == t.tm_min);
    TALLY_FUZZ_CHECK(r.SecondNumber() == t.tm_sec);
    TALLY_FUZZ_CHECK(r.YearNumber() == t.tm_year + 1900);
    // The record of the same text splits into the same fields, and joins back to the text.
    const std::string record = kInPrefix + text;
    PunchRecord split = PunchRecord::FromText(record.data(), record.size());
    split.Split();
    for (const Slot& s : kSlots) {
        TALLY_FUZZ_CHECK(std::strcmp(split.buf + s.offset, r.buf + s.offset) == 0);
    }
    split.Join();
    TALLY_FUZZ_CHECK(std::string(split.buf) == record);
    TALLY_FUZZ_CHECK(InRecordLine(t) == record + kLineEnd);
    TALLY_FUZZ_CHECK(OutRecordLine(t) == kOutPrefix + text + kLineEnd);
}

// An Elapsed line of two-digit fields reads back as them at their offsets.
void CheckElapsedLine(InputBytes& input) {
    const ELAPSEDTIME e{input.Choice(100), input.Choice(60), input.Choice(60)};
    const std::string line = ElapsedLine(e);
    TALLY_FUZZ_CHECK(line.size() == kElapsedLineSize);
    TALLY_FUZZ_CHECK(line.compare(0, 16, kElapsedLead) == 0);
    TALLY_FUZZ_CHECK(FieldNumber(line.substr(kElapsedHoursOffset, 2)) == e.nHours);
    TALLY_FUZZ_CHECK(FieldNumber(line.substr(kElapsedMinutesOffset, 2)) == e.nMinutes);
    TALLY_FUZZ_CHECK(FieldNumber(line.substr(kElapsedSecondsOffset, 2)) == e.nSeconds);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    fuzz::InputBytes input(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PunchRecord parsed = ParseTimestamp(text.data(), text.size());
    fuzz::CheckSlots(parsed);
    for (const fuzz::Slot& s : fuzz::kSlots) {
        TALLY_FUZZ_CHECK(std::strlen(parsed.buf + s.offset) <= static_cast<std::size_t>(s.width));
    }
    PunchRecord record = PunchRecord::FromText(text.data(), text.size());
    TALLY_FUZZ_CHECK(std::memcmp(record.buf, text.data(), std::min(text.size(), std::size_t{29})) ==
                     0);
    record.Split();
    (void)record.DayNumber();
    (void)record.YearNumber();
    (void)MonthIndex(record.Month());
    fuzz::CheckFieldNumber(text);
    fuzz::CheckFormattedReadsBack(input);
    fuzz::CheckElapsedLine(input);
    return 0;
}
