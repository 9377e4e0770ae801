// SPDX-License-Identifier: MIT
#include "invoice/invoice_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "log_text.h"
#include "test_support.h"
#include "time/c_format.h"

namespace tally {
namespace {

struct FiguresCase {
    const char* name;
    CalendarDate start;
    CalendarDate end;
    double rate;
    RoundingOptions rounding;
};

void PrintTo(const FiguresCase& c, std::ostream* os) {
    *os << c.name;
}

class InvoiceFiguresTest : public ::testing::TestWithParam<FiguresCase> {};

// The document bills the days the text invoice lists, each with its whole minutes (the text
// invoice's line drops whole days), whatever the range, rate and rounding.
TEST_P(InvoiceFiguresTest, documentBillsTheTextInvoicesDays) {
    const FiguresCase& c = GetParam();
    test::TempDir dir;
    const std::string log = dir.File("log.dat");
    std::string pairs;
    for (int day = 1; day <= 28; ++day) {
        pairs +=
            test::Triple(FormatC("2004-02-%02d 08:%02d:%02d", day, day * 7 % 60, day * 13 % 60),
                         FormatC("2004-02-%02d %02d:%02d:%02d", day, 9 + day % 10, day * 11 % 60,
                                 day * 17 % 60));
    }
    // A pair over midnight, and one of more than a day: the day line drops the whole days.
    pairs += test::Triple("2004-02-29 23:50:00", "2004-03-01 00:20:40");
    pairs += test::Triple("2004-03-02 09:00:00", "2004-03-03 11:30:00");
    test::WriteFile(log, pairs);
    const auto figures = ComputeInvoice(log, c.start, c.end, c.rate, c.rounding);
    ASSERT_TRUE(figures.has_value());
    const Client client{"Acme", log, c.rate, "EUR", 0.0, "", 14, ""};
    const InvoiceDocument doc =
        MakeInvoiceDocument(*figures, client, Issuer{}, "1", {2004, 3, 31}, c.start, c.end);

    std::istringstream text(*GenerateInvoice(log, c.start, c.end, c.rate, c.rounding));
    std::string line;
    std::size_t index = 0;
    while (std::getline(text, line)) {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0;
        if (std::sscanf(line.c_str(), "%d-%d-%d %d:%d =", &y, &mo, &d, &h, &mi) == 5) {
            ASSERT_LT(index, doc.money.lines.size()) << line;
            const MoneyLine& l = doc.money.lines[index++];
            EXPECT_EQ(l.date, (CalendarDate{y, mo, d})) << line;
            EXPECT_EQ(l.minutes % (24 * 60), h * 60 + mi) << line;
        }
    }
    EXPECT_EQ(index, doc.money.lines.size());
    EXPECT_EQ(doc.money.totalCents, doc.money.subtotalCents);
}

INSTANTIATE_TEST_SUITE_P(
    RangesRatesAndRoundings, InvoiceFiguresTest,
    ::testing::Values(
        FiguresCase{"month", {2004, 2, 1}, {2004, 2, 29}, 37.5, {kRoundNone, 0}},
        FiguresCase{"overMidnightAndADay", {2004, 2, 20}, {2004, 3, 5}, 80.0, {kRoundNone, 0}},
        FiguresCase{"oddRate", {2004, 2, 1}, {2004, 3, 31}, 33.333, {kRoundNone, 0}},
        FiguresCase{"inOut15", {2004, 2, 3}, {2004, 2, 17}, 45.0, {kRoundInOut, 15}},
        FiguresCase{"daily30", {2004, 2, 1}, {2004, 2, 29}, 61.7, {kRoundDaily, 30}},
        FiguresCase{"nothing", {2004, 4, 1}, {2004, 4, 30}, 50.0, {kRoundNone, 0}}));

TEST(InvoiceDocumentTest, taxIsRoundedToCentsHalfAwayFromZeroAndAddedToTheTotal) {
    struct Case {
        std::int64_t subtotal;
        double percent;
        std::int64_t tax;
    } const cases[] = {
        {100, 7.5, 8}, {300, 7.5, 23},  {-100, 7.5, -8}, {1005, 19.0, 191},
        {1, 50.0, 1},  {12345, 0.0, 0}, {333, 10.0, 33}, {1000000, 19.6, 196000},
        {5, 10.0, 1},  {200, 0.25, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TaxCents(c.subtotal, c.percent), c.tax) << c.subtotal << " at " << c.percent;
    }
    InvoiceFigures figures;
    figures.rate = 10.0;
    figures.days = {{{2004, 6, 1}, 3600}};
    figures.totalSeconds = 3600;
    const Client client{"Acme", "", 10.0, "EUR", 19.0, "", 30, ""};
    const InvoiceDocument doc =
        MakeInvoiceDocument(figures, client, Issuer{}, "7", {2004, 12, 15}, {}, {});
    EXPECT_EQ(doc.money.taxCents, 190);
    EXPECT_EQ(doc.money.totalCents, 1190);
    EXPECT_EQ(doc.due, (CalendarDate{2005, 1, 14}));
}

}  // namespace
}  // namespace tally
