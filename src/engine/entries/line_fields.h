// SPDX-License-Identifier: MIT
#pragma once
// The fields the raw reader takes from a time log line, by character position. Each parser
// looks only at its own characters (a short line yields what is there) and gives the
// accepted value or -1.

#include <string_view>

namespace tally {

// Characters 0-4 equal "in..." / "out.." and 0-14 equal "Elapsed time of", case ignored.
bool IsInLine(std::string_view line);
bool IsOutLine(std::string_view line);
bool IsElapsedLine(std::string_view line);

int ParseMonth(std::string_view line);   // 9-11 "Jan" ... "Dec", case ignored: 1-12
int ParseDay(std::string_view line);     // 13-14: 1-31
int ParseHour(std::string_view line);    // 16-17: 0-23
int ParseMinute(std::string_view line);  // 19-20: 0-59
int ParseSecond(std::string_view line);  // 22-23: 0-59
int ParseYear(std::string_view line);    // 25-28: the loggable years (time/calendar.h)

// The characters [offset, offset + length) of the line, as far as it has them; read a number
// from them with FieldNumber (time/punch_record.h).
std::string_view LineField(std::string_view line, std::size_t offset, std::size_t length);

}  // namespace tally
