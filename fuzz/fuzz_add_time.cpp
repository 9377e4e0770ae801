// SPDX-License-Identifier: MIT
// The times of tally add over arbitrary bytes: two texts (the input split at its first line
// feed) read as local times, then planned as the pair add would put in the log. A time that
// reads back must format as it was written, but for a wall time the spring clock change skips.

#include <cstdio>
#include <string>

#include "fuzz_pairs.h"
#include "fuzz_support.h"
#include "time/local_time_text.h"

namespace tally::fuzz {
namespace {

// The text in the form LocalTimeText gives, seconds added when it had none.
std::string WithSeconds(std::string_view text) {
    return std::string(text) + (text.size() == 16 ? ":00" : "");
}

void CheckReadsBack(std::string_view text, TimeValue t, LocalDayCache& days) {
    const std::string written = WithSeconds(text);
    const std::string shown = LocalTimeText(t, days);
    if (shown == written) return;
    // Only a wall time in the hour the clock skips in spring (CET: the last Sunday of March,
    // 02:00), which moves on by that hour.
    TALLY_FUZZ_CHECK(written.compare(5, 2, "03") == 0 && written.compare(11, 2, "02") == 0);
    TALLY_FUZZ_CHECK(shown.compare(0, 11, written, 0, 11) == 0 && shown.compare(11, 2, "03") == 0 &&
                     shown.compare(13, 6, written, 13, 6) == 0);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view start = input.substr(0, split);
    const std::string_view end = split == std::string_view::npos ? "" : input.substr(split + 1);
    LocalDayCache days;
    const auto in = ParseLocalTimeText(start, days);
    const auto out = ParseLocalTimeText(end, days);
    if (in) fuzz::CheckReadsBack(start, *in, days);
    if (out) fuzz::CheckReadsBack(end, *out, days);
    if (in && out) fuzz::CheckPlannedPairs({{*in, *out, 0, false}}, false);
    return 0;
}
