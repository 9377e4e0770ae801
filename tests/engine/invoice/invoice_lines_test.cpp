// SPDX-License-Identifier: MIT
#include "invoice/invoice_lines.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kMinute = 60;

TEST(InvoiceLines, padsHoursOnlyOnTheLastDayLine) {
    const CalendarDate june1{2004, 6, 1};
    const CalendarDate june2{2004, 6, 2};
    EXPECT_EQ(DayLine(june1, 8 * kHour + 15 * kMinute, 10.0, false), "2004-06-01 8:15 = 82.50\r\n");
    EXPECT_EQ(DayLine(june2, 8 * kHour + 15 * kMinute, 10.0, true), "2004-06-02 08:15 = 82.50\r\n");
}

TEST(InvoiceLines, rightAlignsTheTotalMinutesInTwoColumns) {
    EXPECT_EQ(TotalLine(8 * kHour + 5 * kMinute, 10.0), "8 hours,  5 minutes = 80.83\r\n");
    EXPECT_EQ(TotalLine(123 * kHour + 45 * kMinute, 10.0), "123 hours, 45 minutes = 1237.50\r\n");
}

TEST(InvoiceLines, dropsLeftoverSecondsFromTimeAndAmount) {
    EXPECT_EQ(DayLine({2004, 6, 1}, 59, 60.0, true), "2004-06-01 00:00 = 0.00\r\n");
    EXPECT_EQ(DayLine({2004, 6, 1}, kHour + 59 * kMinute + 59, 60.0, false),
              "2004-06-01 1:59 = 119.00\r\n");
    EXPECT_EQ(TotalLine(kHour + 59, 60.0), "1 hours,  0 minutes = 60.00\r\n");
}

TEST(InvoiceLines, dayLineShowsAndChargesOnlyWhatIsLeftAfterWholeDays) {
    EXPECT_EQ(DayLine({2004, 6, 1}, 25 * kHour, 10.0, false), "2004-06-01 1:00 = 10.00\r\n");
    EXPECT_EQ(DayLine({2004, 6, 1}, 48 * kHour + 30 * kMinute, 10.0, true),
              "2004-06-01 00:30 = 5.00\r\n");
}

TEST(InvoiceLines, totalLineCountsWholeDaysAsHours) {
    EXPECT_EQ(TotalLine(25 * kHour, 10.0), "25 hours,  0 minutes = 250.00\r\n");
    EXPECT_EQ(TotalLine(48 * kHour + 30 * kMinute, 10.0), "48 hours, 30 minutes = 485.00\r\n");
}

TEST(InvoiceLines, amountsFollowTheInvoiceArithmetic) {
    // Minutes times 0.016666666666666666, plus hours, times the rate: dividing by 60, or
    // charging minutes and hours apart, would give a cent more in these cases.
    EXPECT_EQ(DayLine({2004, 6, 1}, 23 * kMinute, 10.5, true), "2004-06-01 00:23 = 4.02\r\n");
    EXPECT_EQ(DayLine({2004, 6, 1}, 8 * kHour + 46 * kMinute, 10.05, false),
              "2004-06-01 8:46 = 88.10\r\n");
    // The total adds whole days before the hours: another order gives 333.32.
    EXPECT_EQ(TotalLine(33 * kHour + 10 * kMinute, 10.05), "33 hours, 10 minutes = 333.33\r\n");
    EXPECT_EQ(DayLine({2004, 6, 1}, 8 * kHour, 0.0, true), "2004-06-01 08:00 = 0.00\r\n");
}

}  // namespace
}  // namespace tally
