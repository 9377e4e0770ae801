// SPDX-License-Identifier: MIT
#pragma once
// The lines of the printed report: a heading, the two totals boxes as the window shows them,
// and the Daily Elapsed Time list followed by the last day and its billing period, which the
// list leaves to the totals boxes. Built from the engine's last scan, so the printout and the
// window never disagree.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/list_rows.h"
#include "core/tally_engine.h"
#include "time/local_time.h"

namespace tally {

enum class ReportLineKind : std::uint8_t {
    Title,         // the program's name
    Text,          // one text
    Blank,         // an empty line
    Heading,       // the title of a box or list
    ColumnTitles,  // "Day", "Date", "Time"
    Day,           // a day row
    Separator,     // a period separator row
};

struct ReportLine {
    ReportLineKind kind = ReportLineKind::Blank;
    std::array<std::string, DailyRow::kColumns> cells;  // Text, Title, Heading: the first only

    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// The report of the engine's last scan (brought up to now by the caller where the window
// shows running totals). rows are the rows of that scan; printedAt goes into the heading.
std::vector<ReportLine> BuildReport(const std::string& programName, const TallyEngine& engine,
                                    const RowLists& rows, TimeValue printedAt);

}  // namespace tally
