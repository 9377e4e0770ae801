// Watson's frames file: one JSON array of frames [start, stop, project, id, tags, updated_at]
// with Unix times; early versions wrote [start, stop, project, id]. A running frame is kept
// elsewhere, so every frame here is closed.

#include <cmath>
#include <nlohmann/json.hpp>

#include "editor/import/imported_spans.h"

namespace tally {
namespace {

// Any number of seconds within a few thousand years; not NaN.
bool IsTime(const nlohmann::json& value) {
    return value.is_number() && std::fabs(value.get<double>()) < 1e11;
}

TimeValue SecondsOf(const nlohmann::json& value) {
    if (value.is_number_float()) return static_cast<TimeValue>(value.get<double>());
    return value.get<TimeValue>();
}

}  // namespace

ImportedSpans ReadWatsonFrames(std::string_view text) {
    ImportedSpans result;
    result.sourceWord = "entry";
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_array()) {
        result.problems.push_back("not a JSON array of Watson frames");
        return result;
    }
    int number = 0;
    for (const nlohmann::json& frame : document) {
        const std::string where = "entry " + std::to_string(++number) + ": ";
        if (!frame.is_array() || (frame.size() != 4 && frame.size() != 6)) {
            result.problems.push_back(where + "not a frame of 4 or 6 fields");
        } else if (!IsTime(frame[0]) || !IsTime(frame[1])) {
            result.problems.push_back(where + "start or stop is not a Unix time");
        } else {
            result.spans.push_back({SecondsOf(frame[0]), SecondsOf(frame[1]), number, false});
        }
    }
    return result;
}

}  // namespace tally
