// SPDX-License-Identifier: MIT
#include "entries/time_entry.h"

#include "time/calendar.h"

namespace tally {

std::string CTimeEntry::GetDayName(int n) {
    return n >= 1 && n <= 7 ? kWeekdayNames[n - 1] : "";
}

std::string CTimeEntry::GetMonthName(int n) {
    return n >= 1 && n <= 12 ? kMonthNames[n - 1] : "";
}

std::string CTimeEntry::GetInDayName() const {
    return GetDayName(ToLocalTm(m_timeIn).tm_wday + 1);
}

std::string CTimeEntry::GetInMonthName() const {
    return GetMonthName(ToLocalTm(m_timeIn).tm_mon + 1);
}

std::string CTimeEntry::GetOutDayName() const {
    return GetDayName(ToLocalTm(m_timeOut).tm_wday + 1);
}

std::string CTimeEntry::GetOutMonthName() const {
    return GetMonthName(ToLocalTm(m_timeOut).tm_mon + 1);
}

std::int64_t CTimeEntry::ReportedElapsed() const {
    if (!m_bHasElapsed && m_bHasOut) return m_timeOut - m_timeIn;
    return m_nElapsed;
}

}  // namespace tally
