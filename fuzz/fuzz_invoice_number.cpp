// SPDX-License-Identifier: MIT
// The invoice number format over arbitrary text: two bytes choose the year, then lines give
// the format, the first number and the numbers used. A number made is none of those used,
// no longer than its format allows, and read back as made: with it used, the next differs.

#include <algorithm>

#include "fuzz_support.h"
#include "invoice/invoice_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    fuzz::InputBytes input(data, size);
    const int year = 1 + (input.Byte() * 256 + input.Byte()) % 9999;
    std::vector<std::string> lines;
    const std::string_view rest = input.Rest();
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find('\n', start), rest.size());
        lines.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    NumberingRules rules;
    rules.format = lines[0];
    if (lines.size() > 1) rules.firstNumber = lines[1];
    std::vector<std::string> used(lines.begin() + std::min<std::size_t>(lines.size(), 2),
                                  lines.end());

    const bool formatOk = NumberFormatProblem(rules.format).empty();
    std::string problem;
    TALLY_FUZZ_CHECK(NextInvoiceNumber({rules.format, ""}, year, {}, problem).has_value() ==
                     formatOk);
    problem.clear();
    const auto number = NextInvoiceNumber(rules, year, used, problem);
    TALLY_FUZZ_CHECK(number.has_value() == problem.empty());
    if (!number) return 0;
    TALLY_FUZZ_CHECK(formatOk);
    TALLY_FUZZ_CHECK(std::find(used.begin(), used.end(), *number) == used.end());
    // {year} (6) makes 4 digits, {seq} (5) and {seq:N} (7) at most 9.
    TALLY_FUZZ_CHECK(!number->empty() && number->size() <= rules.format.size() + 4);
    used.push_back(*number);
    const auto next = NextInvoiceNumber(rules, year, used, problem);
    TALLY_FUZZ_CHECK(next != number);
    return 0;
}
