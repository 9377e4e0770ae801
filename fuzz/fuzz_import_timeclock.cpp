// SPDX-License-Identifier: MIT
// The timeclock import reader over arbitrary bytes (ledger and hledger timeclock files), then the
// plan that tally import makes of its intervals.

#include "fuzz_pairs.h"
#include "interchange/import/imported_spans.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const ImportedSpans read =
        ReadTimeclockPairs(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::CheckImported(read);
    fuzz::CheckPlannedPairs(read.spans, true);
    return 0;
}
