#include "core/punch_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

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

TEST(PunchLines, HaveTheExactByteLayout) {
    const std::tm t = Time(2004, 6, 5, 6, 9, 3, 7);
    EXPECT_EQ(InRecordLine(t), "In...Sat Jun 05 09:03:07 2004\r\n");
    EXPECT_EQ(OutRecordLine(t), "Out..Sat Jun 05 09:03:07 2004\r\n");
    EXPECT_EQ(InRecordLine(t).size(), kRecordSize);
    EXPECT_EQ(OutRecordLine(t).size(), kRecordSize);
    EXPECT_EQ(ElapsedLine({3, 30, 0}), "Elapsed time of 03:30:00.\r\n");
    EXPECT_EQ(ElapsedLine({47, 5, 9}).size(), kElapsedLineSize);
}

TEST(PunchLines, KeepTheirLengthWhateverTheFields) {
    std::tm odd = Time(12345, 13, 123, 9, 100, -5, 77);
    EXPECT_EQ(InRecordLine(odd).size(), kRecordSize);
    EXPECT_EQ(ElapsedLine({123, -10, 5}).size(), kElapsedLineSize);
}

TEST(ParseTimestamp, SplitsAnAsctimeText) {
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

TEST(ParseTimestamp, ReadsABlankPaddedDay) {
    const char* text = "Mon Jan  5 09:03:07 2004\n";
    const PunchRecord r = ParseTimestamp(text, std::strlen(text));
    EXPECT_EQ(r.DayNumber(), 5);
    EXPECT_EQ(r.YearNumber(), 2004);
}

TEST(ParseTimestamp, CutsOverlongFieldsToTheirSlots) {
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

TEST(PunchRecord, SplitAndJoinSwapSeparatorsForTerminators) {
    PunchRecord r = PunchRecord::FromText("In...Mon Jan 05 09:03:07 2004\r\n", 31);
    r.Split();
    EXPECT_STREQ(r.buf, "In...Mon");
    EXPECT_EQ(r.HourNumber(), 9);
    r.Join();
    EXPECT_STREQ(r.buf, "In...Mon Jan 05 09:03:07 2004");
}

}  // namespace
}  // namespace tally
