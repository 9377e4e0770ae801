// SPDX-License-Identifier: MIT
// The invoice register reader over arbitrary bytes. A register it takes is written and read
// again to the same entries, and every entry's own line reads back as that entry.

#include "fuzz_support.h"
#include "invoice/invoice_register.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const RegisterRead read =
        ParseRegister(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
    if (!read.Ok()) return 0;
    const std::vector<InvoiceEntry>& entries = read.reg.Entries();
    const RegisterRead again = ParseRegister(read.reg.Text(), "again");
    TALLY_FUZZ_CHECK(again.Ok() && again.reg.Entries() == entries);
    // A change rewrites a line from the entry alone: each must read back as it was.
    InvoiceRegister rewritten = read.reg;
    for (const InvoiceEntry& e : entries) TALLY_FUZZ_CHECK(rewritten.Replace(e));
    const RegisterRead reread = ParseRegister(rewritten.Text(), "rewritten");
    TALLY_FUZZ_CHECK(reread.Ok() && reread.reg.Entries() == entries);
    return 0;
}
