// SPDX-License-Identifier: MIT
#pragma once
// What the import readers make of another tracker's file: its closed intervals, numbered by
// the line or entry they come from, and what could not be used.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/pair_overlap.h"

namespace tally {

struct ImportedSpans {
    std::vector<TimedSpan> spans;       // source: the line (csv, timeclock) or entry (JSON) number
    std::vector<std::string> problems;  // "line 4: ..." texts, in file order
    std::vector<std::string> notes;     // what was left out on purpose, to tell the user
    std::optional<TimedSpan> open;      // the interval still running (its out is 0), if any
    const char* sourceWord = "line";
};

// The readers, one per format. Local times for csv and timeclock, UTC or Unix times in
// the JSON formats. An open interval is a problem, as is anything they cannot read, except
// the one still running in a Timewarrior export.
ImportedSpans ReadCsvPairs(std::string_view text);        // what tally export writes
ImportedSpans ReadTimeclockPairs(std::string_view text);  // ledger / hledger i and o lines
ImportedSpans ReadTimewarriorExport(std::string_view text);
ImportedSpans ReadWatsonFrames(std::string_view text);

// A whole file handed to one of the readers: a leading UTF-8 byte-order mark is left out
// (editors and spreadsheets write one), and a NUL byte anywhere makes it no text file at all.
ImportedSpans ReadImportText(std::string_view text, ImportedSpans (*read)(std::string_view));

}  // namespace tally
