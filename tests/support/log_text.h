// SPDX-License-Identifier: MIT
#pragma once
// Time log text as the punch writer writes it, CR LF line ends, for tests to put on disk.
//
// A stamp is either a local wall time "2004-06-01 09:00:00", written as a record with its
// weekday, or a record's own timestamp text "Tue Jun 01 09:00:00 2004", written as given (so
// that a test can write a wrong weekday or a damaged field).

#include <string>

#include "time/local_time.h"

namespace tally::test {

std::string In(const std::string& stamp);     // "In..." record
std::string Out(const std::string& stamp);    // "Out.." record
std::string Elapsed(const std::string& hms);  // "Elapsed time of hh:mm:ss." line

// One closed pair: In record, Out record and Elapsed line. Without an elapsed text the line
// holds the seconds from In to Out (none when Out lies before In).
std::string Triple(const std::string& in, const std::string& out, const std::string& elapsed = {});
std::string Triple(TimeValue in, TimeValue out);

// A log of `days` consecutive days from a local date on, one pair a day from 09:00 to 17:00.
std::string WorkingDays(int year, int month, int day, int days);

}  // namespace tally::test
