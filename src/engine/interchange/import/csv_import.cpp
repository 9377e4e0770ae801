// SPDX-License-Identifier: MIT
// The CSV that tally export writes: its header line, then a pair a line with local times.
// Only In and Out count; the other columns follow from them.

#include "interchange/import/imported_spans.h"
#include "interchange/import/text_lines.h"
#include "interchange/pair_export.h"
#include "time/local_time_text.h"

namespace tally {

ImportedSpans ReadCsvPairs(std::string_view text) {
    ImportedSpans result;
    LocalDayCache days;
    ForEachLine(text, [&](std::string_view line, int number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        if (number == 1) {
            if (line != kExportCsvHeader)
                result.problems.push_back(where + "not the header of tally export");
            return true;
        }
        if (line.empty()) return true;
        const std::size_t first = line.find(',');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find(',', first + 1);
        std::optional<TimeValue> in, out;
        if (second != std::string_view::npos) {
            in = ParseLocalTimeText(line.substr(0, first), days);
            out = ParseLocalTimeText(line.substr(first + 1, second - first - 1), days);
        }
        if (!in || !out) {
            result.problems.push_back(where + "not two times YYYY-MM-DD HH:MM:SS");
        } else {
            result.spans.push_back({*in, *out, number, false});
        }
        return true;
    });
    if (text.empty()) result.problems.push_back("line 1: not the header of tally export");
    return result;
}

}  // namespace tally
