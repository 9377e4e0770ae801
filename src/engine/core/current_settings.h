// SPDX-License-Identifier: MIT
#pragma once
// The option values the engine works with, in the order the main window keeps them.

#include <array>
#include <string>

#include "time/elapsed_time.h"

namespace tally {

enum PeriodType { kPeriodWeekly = 0, kPeriodHalfMonth = 1 };

// The values the Options dialog offers for each of its choices; tally config takes no others.
inline constexpr std::array<int, 2> kPeriodTypes = {kPeriodWeekly, kPeriodHalfMonth};
inline constexpr std::array<int, 4> kRoundingTypes = {kRoundNone, kRoundAllElapsed, kRoundInOut,
                                                      kRoundDaily};
inline constexpr std::array<int, 3> kRoundingUnits = {1, 15, 30};            // minutes
inline constexpr std::array<int, 7> kWeekStartDays = {0, 1, 2, 3, 4, 5, 6};  // Sunday first

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
