// SPDX-License-Identifier: MIT
// An issued PDF invoice as its reader checks it: every line recomputed from its printed hours
// and rate, the lines added up to the subtotal, and the amount tally unbilled gave before.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "json_output.h"
#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"
#include "time/c_format.h"

namespace tally::test {
namespace {

TEST(InvoiceMoneyCli, everyPrintedLineIsHoursTimesRateAndTheLinesAddUpToTheSubtotal) {
    // The Out of each day's pair from 09:00:00, and what a line bills: seconds are dropped.
    const struct {
        const char* rate;
        const char* out;
        const char* quantity;
    } cases[] = {{"90.00", "16:20:40", "7.3333"}, {"65.50", "11:17:30", "2.2833"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        TallyHarness tally;
        const std::string log = tally.home.File("acme.dat");
        std::string pairs;
        for (int day = 1; day <= 30; ++day)
            pairs += Triple(FormatC("2026-11-%02d 09:00:00", day),
                            FormatC("2026-11-%02d %s", day, c.out));
        WriteFile(log, pairs);
        const auto run = [&](const std::vector<std::string>& args) {
            const ProcessResult r = tally.Run(args);
            EXPECT_EQ(r.exitCode, 0) << r.err;
            return r.out;
        };
        run({"client", "add", "Acme", "--log", log, "--rate", c.rate, "--tax", "19"});
        const double unbilled =
            ParseJsonOutput(run({"unbilled", "--json"}))["unbilled"][0]["amount"];
        const std::string pdf = tally.home.File("acme.pdf");
        run({"invoice", "2026-11-01", "2026-11-30", "--client", "Acme", "--pdf", pdf});

        // "1 Nov 2026 7.3333 90.00 660.00": hours to four places, rate and amount to two.
        const std::string printed = PdfCellText(pdf);
        std::istringstream text(printed);
        int rows = 0;
        long long sum = 0;
        long long subtotal = -1;
        for (std::string line; std::getline(text, line);) {
            long long h = 0, hours = 0, r = 0, rate = 0, a = 0, amount = 0;
            if (std::sscanf(line.c_str(), "%*d Nov 2026 %lld.%4lld %lld.%2lld %lld.%2lld", &h,
                            &hours, &r, &rate, &a, &amount) == 6) {
                ++rows;
                EXPECT_NE(line.find(FormatC(" %s ", c.quantity)), std::string::npos) << line;
                EXPECT_EQ(FormatC("%lld.%02lld", r, rate), c.rate);
                const long long product = (h * 10000 + hours) * (r * 100 + rate);  // 1/10000 cent
                EXPECT_EQ(a * 100 + amount, (product + 5000) / 10000) << line;
                sum += a * 100 + amount;
            } else if (std::sscanf(line.c_str(), "Subtotal %lld.%2lld", &a, &amount) == 2) {
                subtotal = a * 100 + amount;
            }
        }
        EXPECT_EQ(rows, 30);
        EXPECT_EQ(sum, subtotal);
        EXPECT_EQ(std::llround(unbilled * 100), subtotal);
        EXPECT_NE(printed.find("seconds are not billed"), std::string::npos) << printed;
    }
}

}  // namespace
}  // namespace tally::test
