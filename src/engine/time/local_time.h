// SPDX-License-Identifier: MIT
#pragma once
// Calendar time: 64-bit seconds since 1970 UTC, converted to and from local wall-clock time.

#include <cstdint>
#include <ctime>

namespace tally {

using TimeValue = std::int64_t;

std::tm ToLocalTm(TimeValue t);

// The instant of a local wall time. A time that occurs twice (autumn) is taken at its
// first occurrence; one that does not occur (spring) is moved forward by the gap.
TimeValue FromLocalTime(int year, int month1, int day, int hour, int minute, int second);

// The seconds count of a calendar time's local wall-clock fields.
std::int64_t SecondsCountOf(const std::tm& local);

}  // namespace tally
