// SPDX-License-Identifier: MIT
// The conversions between fields, QDateTime and TimeValue, and which value the picker
// reports: its last committed one, not what the control shows.
#include <gtest/gtest.h>

#include "picker_test_support.h"

namespace tally::test {
namespace {

constexpr TimeValue kNewYear2024Utc = 1704067200;      // 01:00 in winter time
constexpr TimeValue kFirstOfJuly2024Utc = 1719792000;  // 02:00 in summer time

TEST(SysTimeFromCTime, givesLocalFieldsInWinterAndSummer) {
    SystemTime time;
    time.dayOfWeek = 6;
    time.milliseconds = 999;
    RecordingPicker::SysTimeFromCTime(kNewYear2024Utc + 59, &time);
    EXPECT_EQ(time, (SystemTime{2024, 1, 6, 1, 1, 0, 59, 0}));

    RecordingPicker::SysTimeFromCTime(kFirstOfJuly2024Utc, &time);
    EXPECT_EQ(time, (SystemTime{2024, 7, 6, 1, 2, 0, 0, 0}));
}

TEST(SysTimeFromCOleDateTime, givesLocalWallFieldsToTheSecond) {
    SystemTime time;
    time.dayOfWeek = 3;
    RecordingPicker::SysTimeFromCOleDateTime(
        QDateTime(QDate(2024, 7, 1), QTime(0, 0, 5, 750), Qt::UTC), &time);
    EXPECT_EQ(time, (SystemTime{2024, 7, 3, 1, 2, 0, 5, 0}));
}

TEST(COleDateTimeFromSysTime, refusesNonDatesAndMovesSkippedTimesForward) {
    EXPECT_FALSE(RecordingPicker::COleDateTimeFromSysTime({2024, 2, 0, 30, 8, 0, 0, 0}).isValid());
    EXPECT_FALSE(RecordingPicker::COleDateTimeFromSysTime({2024, 5, 0, 10, 24, 0, 0, 0}).isValid());
    EXPECT_EQ(RecordingPicker::COleDateTimeFromSysTime({2024, 2, 0, 29, 23, 59, 59, 0}),
              Local(2024, 2, 29, 23, 59, 59));
    // 02:30 on the last Sunday of March does not occur.
    EXPECT_EQ(RecordingPicker::COleDateTimeFromSysTime({2024, 3, 0, 31, 2, 30, 0, 0}),
              Local(2024, 3, 31, 3, 30, 0));
}

TEST(CTimeFromSysTime, takesClockChangesAsTheTimeLogDoes) {
    EXPECT_EQ(RecordingPicker::CTimeFromSysTime({2024, 1, 0, 1, 1, 0, 59, 0}),
              kNewYear2024Utc + 59);
    // Skipped 02:30 counts as 03:30 summer time; repeated 02:30 as its first, summer, time.
    EXPECT_EQ(RecordingPicker::CTimeFromSysTime({2024, 3, 0, 31, 2, 30, 0, 0}), 1711848600);
    EXPECT_EQ(RecordingPicker::CTimeFromSysTime({2024, 10, 0, 27, 2, 30, 0, 0}), 1729989000);
    EXPECT_EQ(RecordingPicker::CTimeFromSysTime({2023, 2, 0, 29, 0, 0, 0, 0}), 0);
}

TEST(LastValue, isTheTimeOfConstructionNotWhatTheControlShowsLater) {
    RecordingPicker picker;
    EXPECT_EQ(picker.GetOleDateTime(), picker.dateTime());
    const TimeValue constructed = picker.GetDateTime();
    EXPECT_EQ(constructed, picker.dateTime().toSecsSinceEpoch());

    ASSERT_TRUE(picker.SetSystemTime(kFirstOfJuly2024Utc));
    EXPECT_EQ(picker.dateTime(), Local(2024, 7, 1, 2, 0, 0));
    EXPECT_EQ(picker.GetSystemTime(), Local(2024, 7, 1, 2, 0, 0));
    EXPECT_EQ(picker.GetDateTime(), constructed);
}

TEST(LastValue, followsSetDateTimeToTheSecond) {
    RecordingPicker picker;
    ASSERT_TRUE(picker.SetDateTime(kNewYear2024Utc));
    EXPECT_EQ(picker.GetDateTime(), kNewYear2024Utc);
    EXPECT_EQ(picker.dateTime(), Local(2024, 1, 1, 1, 0, 0));

    ASSERT_TRUE(picker.SetDateTime(QDateTime(QDate(2024, 7, 1), QTime(2, 0, 7, 400))));
    EXPECT_EQ(picker.GetDateTime(), kFirstOfJuly2024Utc + 7);
    EXPECT_EQ(picker.dateTime(), Local(2024, 7, 1, 2, 0, 7));
}

TEST(LastValue, isSetEvenWhenTheControlRefusesTheValue) {
    RecordingPicker picker;
    const QDateTime maximum = Local(2024, 12, 31, 0, 0, 0);
    ASSERT_TRUE(picker.SetRange(nullptr, &maximum));
    ASSERT_TRUE(picker.SetDateTime(Local(2024, 6, 1, 0, 0, 0)));

    EXPECT_FALSE(picker.SetDateTime(Local(2025, 1, 1, 0, 0, 0)));
    EXPECT_EQ(picker.GetOleDateTime(), Local(2025, 1, 1, 0, 0, 0));
    EXPECT_EQ(picker.dateTime(), Local(2024, 6, 1, 0, 0, 0));
    EXPECT_FALSE(picker.SetSystemTime(SystemTime{2024, 2, 0, 30, 0, 0, 0, 0}));
    EXPECT_EQ(picker.dateTime(), Local(2024, 6, 1, 0, 0, 0));
}

}  // namespace
}  // namespace tally::test
