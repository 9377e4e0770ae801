// SPDX-License-Identifier: MIT
#pragma once
// Pairs to be added, in the wall-clock seconds the log's records count in (time/pair_time.h):
// ordering and overlaps are decided on these, as the scan measures a pair.

#include <cstdint>
#include <string>

#include "time/local_day_cache.h"
#include "time/pair_time.h"

namespace tally {

inline constexpr std::int64_t kLastSecondOfDay = 86399;

// The wall-clock seconds of local fields.
std::int64_t WallCountOf(const LocalFields& fields);
// The fields of wall-clock seconds, with the weekday of their date.
LocalFields WallFieldsOf(std::int64_t count);
// "2024-03-01 09:00:00".
std::string WallTimeText(std::int64_t count);
// "2004-06-02 17:47:39", or with another character between the date's parts.
std::string ExportTimeText(const WallTime& time, char dateSeparator = '-');

}  // namespace tally
