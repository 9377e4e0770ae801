#pragma once
// Local times as text: "YYYY-MM-DD HH:MM:SS" (or with "/" in the date), and UTC stamps.

#include <optional>
#include <string_view>

#include "core/local_time.h"

namespace tally {

// A local time "YYYY-MM-DD HH:MM" or "YYYY-MM-DD HH:MM:SS", the date's separator being
// dateSeparator. Only days the calendar has and times of the clock; nothing else on the text.
std::optional<TimeValue> ParseLocalTimeText(std::string_view text, char dateSeparator = '-');

// A UTC stamp "YYYYMMDDTHHMMSSZ".
std::optional<TimeValue> ParseUtcStamp(std::string_view text);

}  // namespace tally
