// SPDX-License-Identifier: MIT
// Conflict-copy names over arbitrary text: the first line is the log's file name, the second
// a candidate. A copy is never the log itself; each sync tool's name for the log is a copy,
// and the name a merged copy is given is not (it would be merged again).

#include "fuzz_support.h"
#include "interchange/conflict_copies.h"
#include "interchange/log_merge.h"

namespace tally::fuzz {
namespace {

// The log's name with the tool's tag between its stem and its extension (the last dot on,
// a leading one too when leadingDotStartsExt).
std::string Tagged(std::string_view log, std::string_view tag, bool leadingDotStartsExt) {
    std::size_t dot = log.rfind('.');
    if (dot == std::string_view::npos || (dot == 0 && !leadingDotStartsExt)) dot = log.size();
    return std::string(log.substr(0, dot)) + std::string(tag) + std::string(log.substr(dot));
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = std::min(text.find('\n'), text.size());
    const std::string_view log = text.substr(0, cut);
    const std::string_view candidate = text.substr(std::min(cut + 1, text.size()));
    if (IsConflictCopyName(log, candidate)) {
        TALLY_FUZZ_CHECK(candidate.size() > log.size() && candidate != log);
    }
    if (log.empty() || log.find('/') != std::string_view::npos) return 0;
    TALLY_FUZZ_CHECK(!IsConflictCopyName(log, log));
    TALLY_FUZZ_CHECK(
        IsConflictCopyName(log, fuzz::Tagged(log, ".sync-conflict-20261206-101500-ABC4EFG", true)));
    for (const std::string_view tag :
         {"_conflict-20261206-101500", " (conflicted copy 2026-12-06 101500)",
          " (conflicted copy ann 2026-12-06 101500)", " (conflicted copy)",
          " (Ann's conflicted copy 2026-12-06)"}) {
        TALLY_FUZZ_CHECK(IsConflictCopyName(log, fuzz::Tagged(log, tag, false)));
    }
    const std::string merged = MergedCopyName(std::string(log), fuzz::FixedClock().Now());
    TALLY_FUZZ_CHECK(!IsConflictCopyName(log, merged));
    return 0;
}
