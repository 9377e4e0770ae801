// SPDX-License-Identifier: MIT
#include "invoice/invoice.h"

#include <gtest/gtest.h>

#include <random>

#include "log_text.h"
#include "test_support.h"

namespace tally {
namespace {

using test::In;
using test::Triple;

constexpr RoundingOptions kNoRounding{kRoundNone, 0};
constexpr const char* kNothingBilled = "No billing times within the specified period";

class InvoiceTest : public ::testing::Test {
  protected:
    std::string Invoice(const std::string& log, CalendarDate start, CalendarDate end,
                        double rate = 10.0, RoundingOptions rounding = kNoRounding) {
        test::WriteFile(path, log);
        const auto text = GenerateInvoice(path, start, end, rate, rounding);
        EXPECT_TRUE(text.has_value());
        return text.value_or("");
    }

    test::TempDir dir;
    const std::string path = dir.File("TALLYBK.DAT");
};

TEST_F(InvoiceTest, listsEachDayThenTheTotal) {
    const std::string log = Triple("2004-06-01 08:00:00", "2004-06-01 12:00:00") +
                            Triple("2004-06-01 13:00:00", "2004-06-01 17:15:40") +
                            Triple("2004-06-02 09:00:00", "2004-06-02 17:15:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 2}),
              "2004-06-01 8:15 = 82.50\r\n"
              "2004-06-02 08:15 = 82.50\r\n"
              "16 hours, 30 minutes = 165.00\r\n");
}

TEST_F(InvoiceTest, totalIsComputedFromTheTotalTime) {
    // Two days of 4:02:30: each line drops its 30 seconds, the total keeps them.
    const std::string log = Triple("2004-06-01 09:00:00", "2004-06-01 13:02:30") +
                            Triple("2004-06-02 09:00:00", "2004-06-02 13:02:30");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 30}),
              "2004-06-01 4:02 = 40.33\r\n"
              "2004-06-02 04:02 = 40.33\r\n"
              "8 hours,  5 minutes = 80.83\r\n");
}

TEST_F(InvoiceTest, billsPairsWhoseInLiesWithinTheWholeDaysOfTheRange) {
    const std::string log = Triple("2004-05-31 23:59:59", "2004-06-01 00:30:00") +
                            Triple("2004-06-01 00:00:00", "2004-06-01 01:00:00") +
                            Triple("2004-06-03 23:59:59", "2004-06-04 02:00:00") +
                            Triple("2004-06-04 00:00:00", "2004-06-04 05:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 3}),
              "2004-06-01 1:00 = 10.00\r\n"
              "2004-06-03 02:00 = 20.00\r\n"
              "3 hours,  0 minutes = 30.00\r\n");
}

TEST_F(InvoiceTest, oneDayRangeTakesItsFirstAndLastSecond) {
    const std::string log = Triple("2004-06-01 00:00:00", "2004-06-01 00:10:00") +
                            Triple("2004-06-01 23:59:59", "2004-06-02 00:20:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 1}),
              "2004-06-01 00:30 = 5.00\r\n"
              "0 hours, 30 minutes = 5.00\r\n");
}

TEST_F(InvoiceTest, nothingBilledGivesTheMessageWithoutLineEnd) {
    const std::string log = Triple("2004-06-01 09:00:00", "2004-06-01 17:00:00");
    EXPECT_EQ(Invoice(log, {2004, 7, 1}, {2004, 7, 31}), kNothingBilled);
    EXPECT_EQ(Invoice(log, {2004, 5, 1}, {2004, 5, 31}), kNothingBilled);
    EXPECT_EQ(Invoice("", {2004, 6, 1}, {2004, 6, 30}), kNothingBilled);
}

TEST_F(InvoiceTest, endBeforeStartBillsNothing) {
    const std::string log = Triple("2004-06-01 09:00:00", "2004-06-01 17:00:00") +
                            Triple("2004-06-02 09:00:00", "2004-06-02 17:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 2}, {2004, 6, 1}), kNothingBilled);
}

TEST_F(InvoiceTest, missingLogGivesNoText) {
    EXPECT_FALSE(
        GenerateInvoice(dir.File("absent.dat"), {2004, 6, 1}, {2004, 6, 2}, 10.0, kNoRounding)
            .has_value());
}

TEST_F(InvoiceTest, scanEndsAtTheFirstInAfterTheEndDate) {
    const std::string log = Triple("2004-06-01 09:00:00", "2004-06-01 10:00:00") +
                            Triple("2004-06-05 09:00:00", "2004-06-05 10:00:00") +
                            Triple("2004-06-02 09:00:00", "2004-06-02 10:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 3}),
              "2004-06-01 01:00 = 10.00\r\n"
              "1 hours,  0 minutes = 10.00\r\n");
}

struct RoundingCase {
    const char* name;
    RoundingOptions rounding;
    const char* in;   // on 2004-06-01
    const char* out;  // on 2004-06-01
    const char* expected;
};

void PrintTo(const RoundingCase& c, std::ostream* os) {
    *os << c.name;
}

class InvoiceRoundingTest : public InvoiceTest,
                            public ::testing::WithParamInterface<RoundingCase> {};

TEST_P(InvoiceRoundingTest, roundsInAndOutTimesByTheUnit) {
    const RoundingCase& c = GetParam();
    const std::string log =
        Triple(std::string("2004-06-01 ") + c.in, std::string("2004-06-01 ") + c.out);
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 1}, 10.0, c.rounding), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EachUnit, InvoiceRoundingTest,
    ::testing::Values(
        RoundingCase{"unit1",
                     {kRoundInOut, 1},
                     "09:07:29",
                     "17:52:30",
                     "2004-06-01 08:46 = 87.67\r\n8 hours, 46 minutes = 87.67\r\n"},
        RoundingCase{"unit15below",
                     {kRoundAllElapsed, 15},
                     "09:07:29",
                     "17:52:30",
                     "2004-06-01 09:00 = 90.00\r\n9 hours,  0 minutes = 90.00\r\n"},
        RoundingCase{"unit15halfway",
                     {kRoundDaily, 15},
                     "09:07:30",
                     "17:52:29",
                     "2004-06-01 08:30 = 85.00\r\n8 hours, 30 minutes = 85.00\r\n"},
        RoundingCase{"unit30below",
                     {kRoundInOut, 30},
                     "09:14:59",
                     "17:45:00",
                     "2004-06-01 09:00 = 90.00\r\n9 hours,  0 minutes = 90.00\r\n"},
        RoundingCase{"unit30from15",
                     {kRoundInOut, 30},
                     "09:15:00",
                     "17:44:59",
                     "2004-06-01 08:00 = 80.00\r\n8 hours,  0 minutes = 80.00\r\n"},
        // No rounding type, no unit chosen, or a unit the options do not offer: as read.
        RoundingCase{"noType",
                     {kRoundNone, 15},
                     "09:07:29",
                     "17:52:30",
                     "2004-06-01 08:45 = 87.50\r\n8 hours, 45 minutes = 87.50\r\n"},
        RoundingCase{"noUnit",
                     {kRoundInOut, 0},
                     "09:07:29",
                     "17:52:30",
                     "2004-06-01 08:45 = 87.50\r\n8 hours, 45 minutes = 87.50\r\n"},
        RoundingCase{"otherUnit",
                     {kRoundInOut, 7},
                     "09:07:29",
                     "17:52:30",
                     "2004-06-01 08:45 = 87.50\r\n8 hours, 45 minutes = 87.50\r\n"}),
    [](const ::testing::TestParamInfo<RoundingCase>& info) { return info.param.name; });

TEST_F(InvoiceTest, inRoundedPastMidnightIsListedUnderTheNextDay) {
    const std::string log = Triple("2004-06-02 09:00:00", "2004-06-02 10:00:00") +
                            Triple("2004-06-03 23:53:00", "2004-06-04 01:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 3}, 10.0, {kRoundInOut, 15}),
              "2004-06-02 1:00 = 10.00\r\n"
              "2004-06-04 01:00 = 10.00\r\n"
              "2 hours,  0 minutes = 20.00\r\n");
}

TEST_F(InvoiceTest, daySumsOfADayOrMoreShowTheRemainderAndTheTotalKeepsWholeDays) {
    const std::string log = Triple("2004-06-01 00:00:00", "2004-06-01 23:00:00") +
                            Triple("2004-06-01 23:00:00", "2004-06-02 02:00:00") +
                            Triple("2004-06-03 00:00:00", "2004-06-04 01:30:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 3}),
              "2004-06-01 2:00 = 20.00\r\n"
              "2004-06-03 01:30 = 15.00\r\n"
              "51 hours, 30 minutes = 515.00\r\n");
}

TEST_F(InvoiceTest, clockedInOnANewDayShowsThatDayWithNoTime) {
    const std::string log =
        Triple("2004-06-01 09:00:00", "2004-06-01 17:00:00") + In("2004-06-02 09:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 2}),
              "2004-06-01 8:00 = 80.00\r\n"
              "2004-06-02 00:00 = 0.00\r\n"
              "8 hours,  0 minutes = 80.00\r\n");
    EXPECT_EQ(Invoice(log, {2004, 6, 2}, {2004, 6, 2}),
              "2004-06-02 00:00 = 0.00\r\n"
              "0 hours,  0 minutes = 0.00\r\n");
}

TEST_F(InvoiceTest, readsYearsBeyond2038) {
    const std::string log = Triple("2051-01-02 09:00:00", "2051-01-02 10:30:00");
    EXPECT_EQ(Invoice(log, {2051, 1, 1}, {2051, 1, 31}),
              "2051-01-02 01:30 = 15.00\r\n"
              "1 hours, 30 minutes = 15.00\r\n");
}

TEST_F(InvoiceTest, outBeforeInBillsNothingForThatPair) {
    // A clock set back between In and Out: the punch wrote "Elapsed time of 00:00:00."
    const std::string log = Triple("2004-06-01 10:00:00", "2004-06-01 09:00:00") +
                            Triple("2004-06-01 11:00:00", "2004-06-01 12:00:00");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 1}),
              "2004-06-01 01:00 = 10.00\r\n"
              "1 hours,  0 minutes = 10.00\r\n");
}

TEST_F(InvoiceTest, truncatedEndKeepsWhatWasComplete) {
    const std::string first = Triple("2004-06-01 09:00:00", "2004-06-01 10:00:00");
    const std::string second = Triple("2004-06-02 09:00:00", "2004-06-02 11:00:00");
    // Out complete, Elapsed line missing: the pair counts in its day and in the total.
    EXPECT_EQ(Invoice(first + second.substr(0, 62), {2004, 6, 1}, {2004, 6, 2}),
              "2004-06-01 1:00 = 10.00\r\n"
              "2004-06-02 02:00 = 20.00\r\n"
              "3 hours,  0 minutes = 30.00\r\n");
    // An Out record without its line end is not a record.
    EXPECT_EQ(Invoice(first + second.substr(0, 60), {2004, 6, 1}, {2004, 6, 2}),
              "2004-06-01 1:00 = 10.00\r\n"
              "2004-06-02 00:00 = 0.00\r\n"
              "1 hours,  0 minutes = 10.00\r\n");
}

TEST_F(InvoiceTest, malformedFieldsReadAsAtoiAndMonthLookupReadThem) {
    const std::string elapsed = "Elapsed time of 01:00:00.\r\n";
    const std::string log = test::Crlf(
        "In...xxx jun 01 09:00:00 2004\n"  // month names in any case
        "Out..XXX JUN 01 10:00:00 2004\n" +
        elapsed.substr(0, 25) + "\n" +
        "In...Wed Jun 0x 1x:00:00 2004\n"  // day 0 is the last of May, hour "1x" is 1
        "Out..Wed Jun 0x 02:3x:00 2004\n" +
        elapsed.substr(0, 25) + "\n" +
        "In...Thu Foo 03 09:00:00 2004\n"  // an unknown month counts as January
        "Out..Thu Foo 03 09:45:00 2004\n" +
        elapsed.substr(0, 25) + "\n");
    EXPECT_EQ(Invoice(log, {2004, 6, 1}, {2004, 6, 30}),
              "2004-06-01 1:00 = 10.00\r\n"
              "2004-05-31 1:03 = 10.50\r\n"
              "2004-01-03 00:45 = 7.50\r\n"
              "2 hours, 48 minutes = 28.00\r\n");
}

TEST_F(InvoiceTest, damagedLogsNeverReadOutsideTheirRecords) {
    std::mt19937 random(20040601);
    std::string valid;
    for (int day = 1; day <= 28; ++day) {
        const std::string date =
            "2004-02-" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        valid += Triple(date + " 09:00:00", date + " 17:30:00");
    }
    for (int round = 0; round < 200; ++round) {
        std::string log = valid.substr(0, random() % valid.size());
        const int damages = static_cast<int>(random() % 20);
        for (int i = 0; i < damages && !log.empty(); ++i) {
            const std::size_t at = random() % log.size();
            switch (random() % 3) {
                case 0:
                    log[at] = static_cast<char>(random() % 256);
                    break;
                case 1:
                    log.erase(at, 1 + random() % 40);
                    break;
                default:
                    log.insert(at, std::string(1 + random() % 3, '\0'));
                    break;
            }
        }
        const std::string text = Invoice(log, {2004, 2, 1}, {2004, 2, 29}, 12.5, {kRoundInOut, 15});
        const bool statement = text.find(" hours, ") != std::string::npos && text.ends_with("\r\n");
        ASSERT_TRUE(text == kNothingBilled || statement) << "round " << round;
    }
}

}  // namespace
}  // namespace tally
