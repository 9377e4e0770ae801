// SPDX-License-Identifier: MIT
#pragma once
// The time log lines the raw writer produces for one entry, with CR LF line ends.

#include <cstdint>
#include <string>

#include "entries/time_entry.h"
#include "time/local_day_cache.h"

namespace tally {

// "%02d" of a number: at least two digits, zero-padded.
void AppendZeroPadded(std::string& out, std::int64_t value);

// "In...Wed Jun 02 17:47:39 2004" CR LF (or with the Out prefix): the weekday from the fields.
void AppendPunchLine(std::string& out, const char* prefix, const LocalFields& fields);
// "Elapsed time of 08:30:00." CR LF, for up to a day.
void AppendElapsedLine(std::string& out, std::int64_t seconds);

// Appends the In line, then the Out line only when the entry has an Out time, then the
// Elapsed line only after an Out line and when the entry has an elapsed value.
void AppendEntryLines(std::string& out, const CTimeEntry& entry, LocalDayCache& days);

}  // namespace tally
