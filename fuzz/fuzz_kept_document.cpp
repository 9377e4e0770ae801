// SPDX-License-Identifier: MIT
// The kept document's reader over arbitrary bytes. A document it takes is written and read
// again to the same document.

#include "fuzz_support.h"
#include "invoice/kept_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const KeptDocumentRead read =
        ParseKeptDocument(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    if (!read.Ok()) return 0;
    const KeptDocumentRead again = ParseKeptDocument(KeptDocumentText(read.document), "again");
    TALLY_FUZZ_CHECK(again.Ok() && again.document == read.document);
    return 0;
}
