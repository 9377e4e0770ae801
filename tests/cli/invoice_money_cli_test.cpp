// SPDX-License-Identifier: MIT
// An issued PDF invoice as its reader checks it: every line recomputed from its printed hours
// and rate, the lines added up to the subtotal, and the amount tally unbilled gave before.

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/c_format.h"
#include "json_output.h"
#include "log_text.h"
#include "report_lines.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

// A printed decimal as units of its last place: "65.50" is 6550 and 2 places.
long long Units(const std::string& text, int& places) {
    const std::size_t point = text.find('.');
    places = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    std::string digits = text;
    if (point != std::string::npos) digits.erase(point, 1);
    return std::stoll(digits);
}

TEST(InvoiceMoneyCli, everyPrintedLineIsHoursTimesRateAndTheLinesAddUpToTheSubtotal) {
    const struct {
        const char* rate;
        const char* out;   // the Out of each day's pair from 09:00:00
        const char* time;  // what a line bills: seconds are dropped
    } cases[] = {{"90.00", "16:20:40", "7:20"}, {"65.50", "11:17:30", "2:17"}};
    const std::regex line(
        R"(\n\d{1,2} Nov 2026 (\d+:\d\d) (\d+\.\d{4}) (\d+\.\d{2,}) (\d+\.\d\d)(?=\n))");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        TallyHarness tally;
        const std::string log = tally.home.File("acme.dat");
        std::string pairs;
        for (int day = 1; day <= 30; ++day) {
            pairs += Triple(FormatC("2026-11-%02d 09:00:00", day),
                            FormatC("2026-11-%02d %s", day, c.out));
        }
        WriteFile(log, pairs);
        ASSERT_EQ(
            tally.Run({"client", "add", "Acme", "--log", log, "--rate", c.rate, "--tax", "19"})
                .exitCode,
            0);
        const OrderedJson unbilled =
            ParseJsonOutput(tally.Run({"unbilled", "--json"}).out)["unbilled"][0];
        const std::string pdf = tally.home.File("acme.pdf");
        const ProcessResult issued =
            tally.Run({"invoice", "2026-11-01", "2026-11-30", "--client", "Acme", "--pdf", pdf});
        ASSERT_EQ(issued.exitCode, 0) << issued.err;

        const std::string text = PdfCellText(pdf);
        int rows = 0;
        long long sum = 0;
        for (std::sregex_iterator m(text.begin(), text.end(), line), end; m != end; ++m, ++rows) {
            int hourPlaces = 0, ratePlaces = 0, amountPlaces = 0;
            const long long hours = Units((*m)[2], hourPlaces);
            const long long rate = Units((*m)[3], ratePlaces);
            const long long amount = Units((*m)[4], amountPlaces);
            EXPECT_EQ((*m)[1], c.time);
            EXPECT_EQ((*m)[3], c.rate);
            // hours × rate in cents, half a cent up: what a reader's calculator gives.
            long long scale = 1;
            for (int i = 2; i < hourPlaces + ratePlaces; ++i) scale *= 10;
            EXPECT_EQ(amount, (hours * rate + scale / 2) / scale) << m->str();
            sum += amount;
        }
        EXPECT_EQ(rows, 30) << text;
        std::smatch subtotal;
        ASSERT_TRUE(std::regex_search(text, subtotal, std::regex(R"(\nSubtotal (\d+\.\d\d)\n)")))
            << text;
        int places = 0;
        EXPECT_EQ(sum, Units(subtotal[1], places));
        EXPECT_EQ(std::llround(unbilled["amount"].get<double>() * 100), sum);
        EXPECT_NE(text.find("seconds are not billed"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tally::test
