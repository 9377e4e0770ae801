// SPDX-License-Identifier: MIT
#pragma once
// The bytes of the time log: 31-byte punch records ("In..." / "Out.." and the timestamp of
// time/punch_record.h), 27-byte Elapsed lines and CR LF line ends.

#include <cstddef>
#include <ctime>
#include <string>

#include "time/elapsed_time.h"
#include "time/punch_record.h"

namespace tally {

inline constexpr std::size_t kRecordSize = 31;       // "In...Mon Jan 05 09:03:07 2004" CR LF
inline constexpr std::size_t kElapsedLineSize = 27;  // "Elapsed time of 00:00:00." CR LF
inline constexpr const char* kInPrefix = "In...";
inline constexpr const char* kOutPrefix = "Out..";
inline constexpr std::size_t kPrefixLength = 5;  // of either record prefix
inline constexpr const char* kElapsedPrefix = "Elapsed";
inline constexpr const char* kLineEnd = "\r\n";

// The Elapsed line: this lead, then "hh:mm:ss." at the offsets below.
inline constexpr const char* kElapsedLead = "Elapsed time of ";
inline constexpr std::size_t kElapsedTextLength = 25;  // without the line end
inline constexpr std::size_t kElapsedHoursOffset = 16;
inline constexpr std::size_t kElapsedMinutesOffset = 19;
inline constexpr std::size_t kElapsedSecondsOffset = 22;

std::string InRecordLine(const std::tm& time);        // "In..." timestamp CR LF
std::string OutRecordLine(const std::tm& time);       // "Out.." timestamp CR LF
std::string ElapsedLine(const ELAPSEDTIME& elapsed);  // "Elapsed time of hh:mm:ss." CR LF

}  // namespace tally
