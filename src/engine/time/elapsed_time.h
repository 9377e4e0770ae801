// SPDX-License-Identifier: MIT
#pragma once
// Elapsed times as hours, minutes and seconds, and the rounding options applied to them.

#include <cstdint>

namespace tally {

struct ELAPSEDTIME {
    std::int32_t nHours = 0;
    std::int32_t nMinutes = 0;
    std::int32_t nSeconds = 0;
    friend bool operator==(const ELAPSEDTIME&, const ELAPSEDTIME&) = default;
};

enum RoundingType { kRoundNone = 0, kRoundAllElapsed = 1, kRoundInOut = 2, kRoundDaily = 3 };

struct RoundingOptions {
    int type = kRoundNone;  // RoundingType
    int unit = 0;           // minutes: 1, 15 or 30; anything else rounds nothing
};

void NormalizeElapsed(ELAPSEDTIME& e);

// Rounds to the nearest multiple of the unit (half-way goes up) when a rounding type is
// chosen; always normalises. Hours are never rounded.
void RoundElapsed(ELAPSEDTIME& e, const RoundingOptions& options);

// Adds a rounded copy of value to target; with Daily Elapsed Times the sum is rounded too.
void AddElapsed(ELAPSEDTIME& target, const ELAPSEDTIME& value, const RoundingOptions& options);

std::int64_t ElapsedToSeconds(const ELAPSEDTIME& e);
ELAPSEDTIME SplitSeconds(std::int64_t seconds);
// The hours within a day (whole days dropped), minutes and seconds of a count of seconds,
// each signed like it: how Elapsed lines, the editor and the invoice's day lines show one.
ELAPSEDTIME SplitWithinDay(std::int64_t seconds);

// Rounds the time of day of a 29-character record text in place (In/Out Times); a time
// that rounds past 23:59 reads hour 24 of the same date.
void RoundPunchFields(char* record, const RoundingOptions& options);

// The amount of an elapsed time at an hourly rate, before rounding to cents.
double MoneyAmount(const ELAPSEDTIME& e, double rate);

}  // namespace tally
