// SPDX-License-Identifier: MIT
#pragma once
// One period of work of the raw data editor: an In time and, once the period is closed,
// an Out time and the elapsed seconds.

#include <cstdint>
#include <string>

#include "time/local_time.h"

namespace tally {

class CTimeEntry {
  public:
    // 1 "Sun" ... 7 "Sat"; any other number gives an empty name.
    static std::string GetDayName(int n);
    // 1 "Jan" ... 12 "Dec"; any other number gives an empty name.
    static std::string GetMonthName(int n);

    std::string GetInDayName() const;
    std::string GetInMonthName() const;
    std::string GetOutDayName() const;
    std::string GetOutMonthName() const;

    // The elapsed seconds the entry reports: its own value when it has one, else Out - In
    // for a closed period (read with an Out line but no usable Elapsed line).
    std::int64_t ReportedElapsed() const;

    bool m_bHasIn = false;
    bool m_bHasOut = false;
    bool m_bHasElapsed = false;
    TimeValue m_timeIn = 0;
    TimeValue m_timeOut = 0;  // kept, and ignored, when the Out flag is cleared
    std::int64_t m_nElapsed = 0;
    int m_nId = 0;  // 0 while the entry is in no list
};

}  // namespace tally
