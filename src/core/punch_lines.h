#pragma once
// The lines a punch appends, gathered in memory so that one write puts them all in the
// file, and the field-by-field elapsed time of Clock Out.

#include <ctime>
#include <string>

#include "core/elapsed_time.h"
#include "core/punch_record.h"

namespace tally {

// Adds "In..." with the timestamp of time.
void AppendInRecord(std::string& lines, const std::tm& time);

// Adds "Out.." with the timestamp of time and the Elapsed line from inFields to outFields
// (both split), written whatever ComputeOutElapsed reports.
void AppendOutRecord(std::string& lines, const std::tm& time, const PunchRecord& inFields,
                     const PunchRecord& outFields);

// Adds the time from the In record to the Out time, field by field with borrows; 24 hours
// more when the weekdays differ. False (nothing added) when the In hour is later.
bool ComputeOutElapsed(const PunchRecord& inFields, const PunchRecord& outFields,
                       ELAPSEDTIME& elapsed);

}  // namespace tally
