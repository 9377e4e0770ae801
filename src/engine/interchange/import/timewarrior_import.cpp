// SPDX-License-Identifier: MIT
// What timew export prints: one JSON array of intervals {"id", "start", "end", "tags",
// "annotation"} with UTC stamps; an interval still running has no "end".

#include "interchange/import/json_entries.h"
#include "time/local_time_text.h"

namespace tally {

ImportedSpans ReadTimewarriorExport(std::string_view text) {
    return ReadJsonEntries(
        text, "not a JSON array of timew export",
        [](const nlohmann::json& interval, int number, const std::string& where,
           ImportedSpans& result) {
            if (!interval.is_object() || !interval.contains("start") ||
                !interval["start"].is_string()) {
                result.problems.push_back(where + "no start");
                return;
            }
            const auto start = ParseUtcStamp(interval["start"].get<std::string>());
            if (!interval.contains("end")) {
                // Tracking when the export was made: the log may take it as its open In.
                if (!start) {
                    result.problems.push_back(where + "start is not YYYYMMDDTHHMMSSZ");
                } else if (result.open) {
                    result.problems.push_back(where + "still open (no end), as is entry " +
                                              std::to_string(result.open->source));
                } else {
                    result.open = TimedSpan{*start, 0, number, false};
                }
                return;
            }
            const auto end = interval["end"].is_string()
                                 ? ParseUtcStamp(interval["end"].get<std::string>())
                                 : std::nullopt;
            if (!start || !end) {
                result.problems.push_back(where + "start or end is not YYYYMMDDTHHMMSSZ");
                return;
            }
            result.spans.push_back({*start, *end, number, false});
        });
}

}  // namespace tally
