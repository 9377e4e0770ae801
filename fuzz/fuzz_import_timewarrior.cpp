// SPDX-License-Identifier: MIT
// The timewarrior import reader over arbitrary bytes (what timew export prints), then the plan
// that tally import makes of its intervals.

#include "fuzz_pairs.h"
#include "interchange/import/imported_spans.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const ImportedSpans read =
        ReadTimewarriorExport(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::CheckImported(read);
    fuzz::CheckPlannedPairs(read.spans, true);
    return 0;
}
