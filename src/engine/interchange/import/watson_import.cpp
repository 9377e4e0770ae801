// SPDX-License-Identifier: MIT
// Watson's frames file: one JSON array of frames [start, stop, project, id, tags, updated_at]
// with Unix times; early versions wrote [start, stop, project, id]. A running frame is kept
// elsewhere, so every frame here is closed.

#include <cmath>

#include "interchange/import/json_entries.h"

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
    return ReadJsonEntries(
        text, "not a JSON array of Watson frames",
        [](const nlohmann::json& frame, int number, const std::string& where,
           ImportedSpans& result) {
            if (!frame.is_array() || (frame.size() != 4 && frame.size() != 6)) {
                result.problems.push_back(where + "not a frame of 4 or 6 fields");
            } else if (!IsTime(frame[0]) || !IsTime(frame[1])) {
                result.problems.push_back(where + "start or stop is not a Unix time");
            } else {
                result.spans.push_back({SecondsOf(frame[0]), SecondsOf(frame[1]), number, false});
            }
        });
}

}  // namespace tally
