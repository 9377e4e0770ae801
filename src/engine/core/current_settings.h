// SPDX-License-Identifier: MIT
#pragma once
// The option values the engine works with, in the order the main window keeps them.

#include <string>

#include "core/elapsed_time.h"

namespace tally {

enum PeriodType { kPeriodWeekly = 0, kPeriodHalfMonth = 1 };

struct CurrentSettings {
    bool ShowDollars = false;
    std::string DataLog;
    double Rate = 0.0;
    int PeriodType = kPeriodHalfMonth;
    int RoundingType = kRoundNone;
    int RoundingUnit = 0;
    int WeekStartDay = 0;

    RoundingOptions Rounding() const { return {RoundingType, RoundingUnit}; }
};

// The time log used when none is configured: TALLYBK.DAT in the user's home folder.
std::string DefaultTimeLogPath();

}  // namespace tally
