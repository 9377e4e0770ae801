#pragma once
// Times as the time log holds them: local wall-clock fields without an offset, counted in
// seconds from 1980-01-01 00:00:00 as the scan counts them. A pair lasts the difference of
// its two counts, whatever the clock did in between; ordering and overlaps of pairs in the
// log are decided on these counts too.

#include <cstdint>
#include <string>

#include "core/local_day_cache.h"

namespace tally {

// The years a pair added to the log may lie in: those the raw reader accepts.
inline constexpr int kFirstLoggableYear = 1990;
inline constexpr int kLastLoggableYear = 2050;

inline constexpr std::int64_t kLastSecondOfDay = 86399;

// The count of wall-clock fields (years 1980-9999).
std::int64_t WallCountOf(const LocalFields& fields);
// The fields of a count, with the weekday of their date.
LocalFields WallFieldsOf(std::int64_t count);
// "2024-03-01 09:00:00".
std::string WallTimeText(std::int64_t count);

}  // namespace tally
