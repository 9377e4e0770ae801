// SPDX-License-Identifier: MIT
#include "entries/entry_lines.h"

#include "log/record_layout.h"
#include "time/c_format.h"
#include "time/calendar.h"
#include "time/elapsed_time.h"

namespace tally {

void AppendPunchLine(std::string& out, const char* prefix, const LocalFields& f) {
    out += prefix;
    out.append(kWeekdayNames[f.weekday], 3);
    out += ' ';
    out.append(kMonthNames[f.month - 1], 3);
    out += ' ';
    AppendZeroPadded(out, f.day);
    out += ' ';
    AppendZeroPadded(out, f.hour);
    out += ':';
    AppendZeroPadded(out, f.minute);
    out += ':';
    AppendZeroPadded(out, f.second);
    out += ' ';
    AppendZeroPadded(out, f.year);
    out += kLineEnd;
}

void AppendElapsedLine(std::string& out, std::int64_t seconds) {
    const ELAPSEDTIME e = SplitWithinDay(seconds);
    out += kElapsedLead;
    AppendZeroPadded(out, e.nHours);
    out += ':';
    AppendZeroPadded(out, e.nMinutes);
    out += ':';
    AppendZeroPadded(out, e.nSeconds);
    out += '.';
    out += kLineEnd;
}

void AppendZeroPadded(std::string& out, std::int64_t value) {
    if (value >= 0 && value < 100) {
        out += static_cast<char>('0' + value / 10);
        out += static_cast<char>('0' + value % 10);
    } else if (value >= 1000 && value < 10000) {
        const int v = static_cast<int>(value);
        const char digits[4] = {
            static_cast<char>('0' + v / 1000), static_cast<char>('0' + v / 100 % 10),
            static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
        out.append(digits, 4);
    } else {
        out += FormatC("%02lld", static_cast<long long>(value));
    }
}

void AppendEntryLines(std::string& out, const CTimeEntry& entry, LocalDayCache& days) {
    if (!entry.m_bHasIn) return;
    AppendPunchLine(out, kInPrefix, days.Fields(entry.m_timeIn));
    if (!entry.m_bHasOut) return;
    AppendPunchLine(out, kOutPrefix, days.Fields(entry.m_timeOut));
    if (entry.m_bHasElapsed) AppendElapsedLine(out, entry.m_nElapsed);
}

}  // namespace tally
