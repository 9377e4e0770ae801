// SPDX-License-Identifier: MIT
#pragma once
// Line numbers and texts of places in the time log, found by byte offset. The scan reads
// records by size, not by line, so it finds a line only when it has something to say there.

#include <cstdint>
#include <string>
#include <vector>

namespace tally {

// A line's text is cut at this many bytes: a damaged log may hold lines of any length.
inline constexpr std::size_t kLineTextLimit = 120;

struct LogPlace {
    std::int64_t offset = 0;  // byte offset of the record or line at fault
    std::int64_t line = 0;    // number of the line that holds it, from 1
    std::string text;         // that line without its line end, cut at kLineTextLimit bytes
};

// Fills line and text of each place from its offset (places sorted by offset), reading the
// file from start to its end; returns the number of lines from start on. A line ends with
// a line feed (a carriage return before it is not part of the text).
std::int64_t LocateLines(int fd, std::int64_t start, std::vector<LogPlace*>& places);

}  // namespace tally
