// SPDX-License-Identifier: MIT
// The entry list in memory: ids, changes, lookups and the field texts.

#include <gtest/gtest.h>

#include "entries/time_entry_list.h"
#include "test_support.h"

namespace tally {
namespace {

using test::At;

const TimeValue kNineAm = At(2004, 6, 2, 9, 0, 0);

TEST(TimeEntryListIds, areNeverHandedOutTwiceAfterDeletes) {
    CTimeEntryList list;
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 1);
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 2);
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 3);
    EXPECT_TRUE(list.DeleteEntry(2));
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 4);
    EXPECT_EQ(list.IndexOf(4), 2);
    EXPECT_EQ(list.GetIdAt(0), 1);
    EXPECT_EQ(list.GetIdAt(1), 3);
    EXPECT_EQ(list.GetCount(), 3);
}

TEST(TimeEntryListIds, continueAfterRemoveAll) {
    CTimeEntryList list;
    list.PutEntry(0, kNineAm, false, 0);
    list.PutEntry(0, kNineAm, false, 0);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 3);
    EXPECT_EQ(list.GetIdAt(0), 3);
}

TEST(TimeEntryListIds, anIdGivenToSetEntryIsNotHandedOutAgain) {
    CTimeEntryList list;
    EXPECT_EQ(list.SetEntry(7, CTimeEntry()), 0);
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 8);
}

TEST(TimeEntryListSetEntry, replacesInPlaceOrAppends) {
    CTimeEntryList list;
    for (int i = 0; i < 3; ++i) list.PutEntry(0, kNineAm + i, false, 0);
    CTimeEntry replacement;
    replacement.m_bHasIn = true;
    replacement.m_timeIn = kNineAm + 100;
    EXPECT_EQ(list.SetEntry(2, replacement), 1);
    EXPECT_EQ(list.GetAt(1)->m_timeIn, kNineAm + 100);
    EXPECT_EQ(list.GetAt(1)->m_nId, 2);
    EXPECT_EQ(list.GetCount(), 3);

    EXPECT_TRUE(list.DeleteEntry(2));
    // An older id appended at the end: lookups must still find every entry.
    EXPECT_EQ(list.SetEntry(2, CTimeEntry()), 2);
    EXPECT_EQ(list.IndexOf(1), 0);
    EXPECT_EQ(list.IndexOf(3), 1);
    EXPECT_EQ(list.IndexOf(2), 2);
    EXPECT_EQ(list.IndexOf(5), -1);
    EXPECT_TRUE(list.RemoveEntry(3));
    EXPECT_EQ(list.IndexOf(2), 1);
}

TEST(TimeEntryListSetEntry, refusesIdsThatAreNotPositive) {
    CTimeEntryList list;
    EXPECT_EQ(list.SetEntry(0, CTimeEntry()), -1);
    EXPECT_EQ(list.SetEntry(-3, CTimeEntry()), -1);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(TimeEntryListPutEntry, withOutComputesElapsedFromTheTwoTimes) {
    CTimeEntryList list;
    const int id = list.PutEntry(0, kNineAm, true, At(2004, 6, 2, 17, 30, 15));
    const CTimeEntry* entry = list.FindEntry(id);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->m_bHasIn);
    EXPECT_TRUE(entry->m_bHasOut);
    EXPECT_TRUE(entry->m_bHasElapsed);
    EXPECT_EQ(entry->m_nElapsed, 30615);
    EXPECT_EQ(list.FormatElapsedHours(id), "08");
    EXPECT_EQ(list.FormatElapsedMinutes(id), "30");
    EXPECT_EQ(list.FormatElapsedSeconds(id), "15");
}

TEST(TimeEntryListPutEntry, withoutOutClearsBothFlagsAndKeepsTheOldValues) {
    CTimeEntryList list;
    const TimeValue out = At(2004, 6, 2, 17, 30, 15);
    const int id = list.PutEntry(0, kNineAm, true, out);
    EXPECT_EQ(list.PutEntry(id, kNineAm + 60, false, 0), id);
    const CTimeEntry* entry = list.FindEntry(id);
    EXPECT_FALSE(entry->m_bHasOut);
    EXPECT_FALSE(entry->m_bHasElapsed);
    EXPECT_EQ(entry->m_timeIn, kNineAm + 60);
    EXPECT_EQ(entry->m_timeOut, out);
    EXPECT_EQ(entry->m_nElapsed, 30615);
    EXPECT_EQ(list.FormatOutHour(id), "17");
}

TEST(TimeEntryListPutEntry, unknownIdChangesNothing) {
    CTimeEntryList list;
    list.PutEntry(0, kNineAm, false, 0);
    EXPECT_EQ(list.PutEntry(9, kNineAm + 5, true, kNineAm + 10), 9);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.FindEntry(1)->m_timeIn, kNineAm);
    EXPECT_FALSE(list.HasOut(1));
    EXPECT_EQ(list.PutEntry(0, kNineAm, false, 0), 2);
}

TEST(TimeEntryListLookups, giveNothingForUnknownPositionsAndIds) {
    CTimeEntryList list;
    const int id = list.PutEntry(0, kNineAm, true, kNineAm + 60);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_EQ(list.GetIdAt(1), 0);
    EXPECT_EQ(list.GetIdAt(-1), 0);
    const int unknown = id + 1;
    EXPECT_EQ(list.FindEntry(unknown), nullptr);
    EXPECT_EQ(list.IndexOf(unknown), -1);
    EXPECT_FALSE(list.HasIn(unknown));
    EXPECT_FALSE(list.HasOut(unknown));
    EXPECT_FALSE(list.HasElapsed(unknown));
    EXPECT_EQ(list.GetInMonth(unknown), 0);
    EXPECT_EQ(list.GetOutMonth(unknown), 0);
    EXPECT_FALSE(list.RemoveEntry(unknown));
    EXPECT_FALSE(list.DeleteEntry(unknown));
    using Text = std::string (CTimeEntryList::*)(int) const;
    for (Text text : {&CTimeEntryList::FormatInYear, &CTimeEntryList::FormatInMonth,
                      &CTimeEntryList::FormatInDay, &CTimeEntryList::FormatInDayName,
                      &CTimeEntryList::FormatInHour, &CTimeEntryList::FormatInMinute,
                      &CTimeEntryList::FormatInSecond, &CTimeEntryList::FormatOutYear,
                      &CTimeEntryList::FormatOutMonth, &CTimeEntryList::FormatOutDay,
                      &CTimeEntryList::FormatOutDayName, &CTimeEntryList::FormatOutHour,
                      &CTimeEntryList::FormatOutMinute, &CTimeEntryList::FormatOutSecond,
                      &CTimeEntryList::FormatElapsedHours, &CTimeEntryList::FormatElapsedMinutes,
                      &CTimeEntryList::FormatElapsedSeconds}) {
        EXPECT_EQ((list.*text)(unknown), "");
        EXPECT_NE((list.*text)(id), "");
    }
}

TEST(TimeEntryListFieldTexts, giveEveryDateAndTimeFieldInLocalTime) {
    CTimeEntryList list;
    const int id = list.PutEntry(0, At(2004, 6, 2, 17, 47, 39), true, At(2005, 1, 5, 8, 3, 7));
    EXPECT_EQ(list.FormatInYear(id), "2004");
    EXPECT_EQ(list.FormatInMonth(id), "Jun");
    EXPECT_EQ(list.FormatInDay(id), "02");
    EXPECT_EQ(list.FormatInDayName(id), "Wed");
    EXPECT_EQ(list.FormatInHour(id), "17");
    EXPECT_EQ(list.FormatInMinute(id), "47");
    EXPECT_EQ(list.FormatInSecond(id), "39");
    EXPECT_EQ(list.FormatOutYear(id), "2005");
    EXPECT_EQ(list.FormatOutMonth(id), "Jan");
    EXPECT_EQ(list.FormatOutDay(id), "05");
    EXPECT_EQ(list.FormatOutDayName(id), "Wed");
    EXPECT_EQ(list.FormatOutHour(id), "08");
    EXPECT_EQ(list.FormatOutMinute(id), "03");
    EXPECT_EQ(list.FormatOutSecond(id), "07");
    EXPECT_EQ(list.GetInMonth(id), 6);
    EXPECT_EQ(list.GetOutMonth(id), 1);
}

TEST(TimeEntryListFieldTexts, elapsedTextsAreTheHoursWithinADay) {
    struct Case {
        std::int64_t elapsed;
        const char* hours;
        const char* minutes;
        const char* seconds;
    };
    const Case cases[] = {{45296, "12", "34", "56"}, {90000, "01", "00", "00"},
                          {0, "00", "00", "00"},     {86399, "23", "59", "59"},
                          {86400, "00", "00", "00"}, {741, "00", "12", "21"},
                          {-30, "00", "00", "-30"},  {-3723, "-1", "-2", "-3"}};
    for (const Case& c : cases) {
        CTimeEntryList list;
        const int id = list.PutEntry(0, kNineAm, true, kNineAm + c.elapsed);
        EXPECT_EQ(list.FormatElapsedHours(id), c.hours) << c.elapsed;
        EXPECT_EQ(list.FormatElapsedMinutes(id), c.minutes) << c.elapsed;
        EXPECT_EQ(list.FormatElapsedSeconds(id), c.seconds) << c.elapsed;
    }
}

TEST(TimeEntryNames, coverOneToSevenAndOneToTwelveOnly) {
    EXPECT_EQ(CTimeEntry::GetDayName(1), "Sun");
    EXPECT_EQ(CTimeEntry::GetDayName(7), "Sat");
    EXPECT_EQ(CTimeEntry::GetDayName(0), "");
    EXPECT_EQ(CTimeEntry::GetDayName(8), "");
    EXPECT_EQ(CTimeEntry::GetMonthName(1), "Jan");
    EXPECT_EQ(CTimeEntry::GetMonthName(12), "Dec");
    EXPECT_EQ(CTimeEntry::GetMonthName(0), "");
    EXPECT_EQ(CTimeEntry::GetMonthName(13), "");
}

TEST(TimeEntryNames, followTheLocalDateNotTheUtcOne) {
    CTimeEntry entry;
    // Half past midnight on Monday 2004-03-01 in Central Europe is still Sunday in February in UTC.
    entry.m_timeIn = At(2004, 3, 1, 0, 30, 0);
    entry.m_timeOut = At(2004, 2, 29, 23, 30, 0);
    EXPECT_EQ(entry.GetInDayName(), "Mon");
    EXPECT_EQ(entry.GetInMonthName(), "Mar");
    EXPECT_EQ(entry.GetOutDayName(), "Sun");
    EXPECT_EQ(entry.GetOutMonthName(), "Feb");
}

TEST(TimeEntryListOrder, idsInTimeOrderSortByInTimeThenId) {
    CTimeEntryList list;
    const int feb = list.PutEntry(0, At(2004, 2, 3, 9, 0, 0), false, 0);
    const int jan = list.PutEntry(0, At(2004, 1, 5, 9, 0, 0), false, 0);
    const int febAgain = list.PutEntry(0, At(2004, 2, 3, 9, 0, 0), false, 0);
    const int dec = list.PutEntry(0, At(2003, 12, 31, 23, 0, 0), false, 0);
    EXPECT_EQ(list.IdsInTimeOrder(), (std::vector<int>{dec, jan, feb, febAgain}));
    EXPECT_EQ(list.GetIdAt(0), feb);  // the list itself keeps its order
}

}  // namespace
}  // namespace tally
