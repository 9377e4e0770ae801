// What timew export prints: one JSON array of intervals {"id", "start", "end", "tags",
// "annotation"} with UTC stamps; an interval still running has no "end".

#include <nlohmann/json.hpp>

#include "editor/import/imported_spans.h"
#include "editor/import/local_time_text.h"

namespace tally {

ImportedSpans ReadTimewarriorExport(std::string_view text) {
    ImportedSpans result;
    result.sourceWord = "entry";
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_array()) {
        result.problems.push_back("not a JSON array of timew export");
        return result;
    }
    int number = 0;
    for (const nlohmann::json& interval : document) {
        const std::string where = "entry " + std::to_string(++number) + ": ";
        if (!interval.is_object() || !interval.contains("start") ||
            !interval["start"].is_string()) {
            result.problems.push_back(where + "no start");
            continue;
        }
        if (!interval.contains("end")) {
            result.problems.push_back(where + "still open (no end)");
            continue;
        }
        const auto start = ParseUtcStamp(interval["start"].get<std::string>());
        const auto end = interval["end"].is_string()
                             ? ParseUtcStamp(interval["end"].get<std::string>())
                             : std::nullopt;
        if (!start || !end) {
            result.problems.push_back(where + "start or end is not YYYYMMDDTHHMMSSZ");
            continue;
        }
        result.spans.push_back({*start, *end, number, false});
    }
    return result;
}

}  // namespace tally
