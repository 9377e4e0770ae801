// SPDX-License-Identifier: MIT
#include "log/record_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace tally {
namespace {

std::tm Time(int year, int month1, int day, int wday, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month1 - 1;
    t.tm_mday = day;
    t.tm_wday = wday;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
}

TEST(PunchLines, haveTheExactByteLayout) {
    const std::tm t = Time(2004, 6, 5, 6, 9, 3, 7);
    EXPECT_EQ(InRecordLine(t), "In...Sat Jun 05 09:03:07 2004\r\n");
    EXPECT_EQ(OutRecordLine(t), "Out..Sat Jun 05 09:03:07 2004\r\n");
    EXPECT_EQ(InRecordLine(t).size(), kRecordSize);
    EXPECT_EQ(OutRecordLine(t).size(), kRecordSize);
    EXPECT_EQ(ElapsedLine({3, 30, 0}), "Elapsed time of 03:30:00.\r\n");
    EXPECT_EQ(ElapsedLine({47, 5, 9}).size(), kElapsedLineSize);
}

TEST(PunchLines, keepTheirLengthWhateverTheFields) {
    std::tm odd = Time(12345, 13, 123, 9, 100, -5, 77);
    EXPECT_EQ(InRecordLine(odd).size(), kRecordSize);
    EXPECT_EQ(ElapsedLine({123, -10, 5}).size(), kElapsedLineSize);
}

TEST(ParseTimestamp, splitsAnAsctimeText) {
    const char* text = "Mon Jan 05 09:03:07 2004\n";
    const PunchRecord r = ParseTimestamp(text, std::strlen(text));
    EXPECT_EQ(std::string(r.buf, 5), std::string(5, '\0'));
    EXPECT_STREQ(r.Weekday(), "Mon");
    EXPECT_STREQ(r.Month(), "Jan");
    EXPECT_STREQ(r.Day(), "05");
    EXPECT_STREQ(r.Hour(), "09");
    EXPECT_STREQ(r.Minute(), "03");
    EXPECT_STREQ(r.Second(), "07");
    EXPECT_STREQ(r.Year(), "2004");
}

TEST(ParseTimestamp, readsABlankPaddedDay) {
    const char* text = "Mon Jan  5 09:03:07 2004\n";
    const PunchRecord r = ParseTimestamp(text, std::strlen(text));
    EXPECT_EQ(r.DayNumber(), 5);
    EXPECT_EQ(r.YearNumber(), 2004);
}

TEST(ParseTimestamp, cutsOverlongFieldsToTheirSlots) {
    const char* text = "Monday January 123456 0999999:0777777:5555555 20042004 trailing";
    const PunchRecord r = ParseTimestamp(text, std::strlen(text));
    EXPECT_STREQ(r.Weekday(), "Mon");
    EXPECT_STREQ(r.Month(), "Jan");
    EXPECT_STREQ(r.Day(), "12");
    EXPECT_STREQ(r.Hour(), "09");
    EXPECT_STREQ(r.Minute(), "07");
    EXPECT_STREQ(r.Second(), "55");
    EXPECT_STREQ(r.Year(), "2004");
    EXPECT_EQ(r.buf[29], '\0');
}

TEST(PunchRecord, splitAndJoinSwapSeparatorsForTerminators) {
    PunchRecord r = PunchRecord::FromText("In...Mon Jan 05 09:03:07 2004\r\n", 31);
    r.Split();
    EXPECT_STREQ(r.buf, "In...Mon");
    EXPECT_EQ(r.HourNumber(), 9);
    r.Join();
    EXPECT_STREQ(r.buf, "In...Mon Jan 05 09:03:07 2004");
}

struct FieldNumberCase {
    const char* field;
    int value;
    bool likeAtoi;  // atoi gives the same (it has no defined result beyond int's range)
};

const FieldNumberCase kFieldNumberCases[] = {
    {"05", 5, true},
    {"2004", 2004, true},
    {"", 0, true},
    {"  ", 0, true},
    {"x7", 0, true},
    {" 5", 5, true},
    {"\t\n\v\f\r9", 9, true},
    {"+5", 5, true},
    {"-1", -1, true},
    {"+-5", 0, true},
    {"- 5", 0, true},
    {"5x", 5, true},
    {"12:34", 12, true},
    {"0007", 7, true},
    {"2147483647", INT_MAX, true},
    {"-2147483648", INT_MIN, true},
    {"2147483648", INT_MAX, false},
    {"12345678901234567890", INT_MAX, false},
    {"-12345678901234567890", INT_MIN, false},
};

TEST(FieldNumber, readsAsAtoiAndHoldsOverlongNumbersAtTheLimits) {
    for (const FieldNumberCase& c : kFieldNumberCases) {
        SCOPED_TRACE(std::string("\"") + c.field + "\"");
        EXPECT_EQ(FieldNumber(c.field), c.value);
        if (c.likeAtoi) {
            EXPECT_EQ(FieldNumber(c.field), std::atoi(c.field));
        }
    }
}

TEST(FieldNumber, readsNoFurtherThanItsField) {
    const std::string line = "1234";
    EXPECT_EQ(FieldNumber(std::string_view(line).substr(0, 2)), 12);
    EXPECT_EQ(FieldNumber(std::string_view(line).substr(4)), 0);
    PunchRecord r = PunchRecord::FromText("In...Mon Jan 05 09:03:07 20041999", 33);
    r.Split();
    EXPECT_EQ(r.DayNumber(), 5);
    EXPECT_EQ(r.YearNumber(), 2004);  // cut at the record's length
}

}  // namespace
}  // namespace tally
