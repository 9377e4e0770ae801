// SPDX-License-Identifier: MIT
#pragma once
// Local times as text: "YYYY-MM-DD HH:MM:SS" (or with "/" in the date), and UTC stamps.

#include <optional>
#include <string_view>

#include "time/local_day_cache.h"

namespace tally {

// A local time "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS", the date's separator being
// dateSeparator. Only days the calendar has and times of the clock; nothing else on the text.
// The cache spares a time zone conversion for each of many times on the same days.
std::optional<TimeValue> ParseLocalTimeText(std::string_view text, LocalDayCache& days,
                                            char dateSeparator = '-');

// A UTC stamp "YYYYMMDDTHHMMSSZ".
std::optional<TimeValue> ParseUtcStamp(std::string_view text);

}  // namespace tally
