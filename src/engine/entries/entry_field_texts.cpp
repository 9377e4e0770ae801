// SPDX-License-Identifier: MIT
// The field texts of CTimeEntryList: every date and time field of an entry, ready-made.

#include "entries/entry_lines.h"
#include "entries/time_entry_list.h"
#include "time/c_format.h"
#include "time/elapsed_time.h"

namespace tally {
namespace {

enum class Field { Year, Month, Day, DayName, Hour, Minute, Second };

std::string TimeFieldText(const CTimeEntry* entry, bool out, Field field) {
    if (entry == nullptr) return {};
    const std::tm t = ToLocalTm(out ? entry->m_timeOut : entry->m_timeIn);
    switch (field) {
        case Field::Year:
            return FormatC("%02d", t.tm_year + 1900);
        case Field::Month:
            return CTimeEntry::GetMonthName(t.tm_mon + 1);
        case Field::Day:
            return FormatC("%02d", t.tm_mday);
        case Field::DayName:
            return CTimeEntry::GetDayName(t.tm_wday + 1);
        case Field::Hour:
            return FormatC("%02d", t.tm_hour);
        case Field::Minute:
            return FormatC("%02d", t.tm_min);
        case Field::Second:
            return FormatC("%02d", t.tm_sec);
    }
    return {};
}

std::string TwoDigits(std::int64_t value) {
    std::string text;
    AppendZeroPadded(text, value);
    return text;
}

}  // namespace

std::string CTimeEntryList::FormatInYear(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Year);
}
std::string CTimeEntryList::FormatInMonth(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Month);
}
std::string CTimeEntryList::FormatInDay(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Day);
}
std::string CTimeEntryList::FormatInDayName(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::DayName);
}
std::string CTimeEntryList::FormatInHour(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Hour);
}
std::string CTimeEntryList::FormatInMinute(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Minute);
}
std::string CTimeEntryList::FormatInSecond(int id) const {
    return TimeFieldText(FindEntry(id), false, Field::Second);
}
std::string CTimeEntryList::FormatOutYear(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Year);
}
std::string CTimeEntryList::FormatOutMonth(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Month);
}
std::string CTimeEntryList::FormatOutDay(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Day);
}
std::string CTimeEntryList::FormatOutDayName(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::DayName);
}
std::string CTimeEntryList::FormatOutHour(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Hour);
}
std::string CTimeEntryList::FormatOutMinute(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Minute);
}
std::string CTimeEntryList::FormatOutSecond(int id) const {
    return TimeFieldText(FindEntry(id), true, Field::Second);
}

std::string CTimeEntryList::FormatElapsedHours(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry ? TwoDigits(SplitWithinDay(entry->ReportedElapsed()).nHours) : "";
}
std::string CTimeEntryList::FormatElapsedMinutes(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry ? TwoDigits(SplitWithinDay(entry->ReportedElapsed()).nMinutes) : "";
}
std::string CTimeEntryList::FormatElapsedSeconds(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry ? TwoDigits(SplitWithinDay(entry->ReportedElapsed()).nSeconds) : "";
}

}  // namespace tally
