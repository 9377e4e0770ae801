// Adding pairs that were never punched: the midnight split, the checks against the log and
// the open In, the merge into the entries' order, and the one save that writes all or nothing.

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/backup_rotation.h"
#include "editor/pair_add.h"
#include "editor/time_entry_list.h"
#include "log_text.h"
#include "test_support.h"

namespace tally::test {
namespace {

TimeValue March(int day, int hour, int minute, int second = 0) {
    return At(2024, 3, day, hour, minute, second);
}

std::vector<std::pair<TimeValue, TimeValue>> Times(const std::vector<TimedSpan>& spans) {
    std::vector<std::pair<TimeValue, TimeValue>> times;
    for (const TimedSpan& s : spans) times.emplace_back(s.in, s.out);
    return times;
}

TEST(PairAdd, SplitAtMidnightGivesOnePairPerDay) {
    using Pairs = std::vector<std::pair<TimeValue, TimeValue>>;
    const struct {
        const char* name;
        TimeValue in, out;
        Pairs pieces;
    } cases[] = {
        {"within a day", March(1, 9, 0), March(1, 17, 0), {{March(1, 9, 0), March(1, 17, 0)}}},
        {"over one midnight",
         March(1, 22, 0),
         March(2, 2, 0),
         {{March(1, 22, 0), March(1, 23, 59, 59)}, {March(2, 0, 0), March(2, 2, 0)}}},
        {"over three days",
         March(1, 22, 0),
         March(4, 1, 0),
         {{March(1, 22, 0), March(1, 23, 59, 59)},
          {March(2, 0, 0), March(2, 23, 59, 59)},
          {March(3, 0, 0), March(3, 23, 59, 59)},
          {March(4, 0, 0), March(4, 1, 0)}}},
        {"ending at midnight",
         March(1, 22, 0),
         March(2, 0, 0),
         {{March(1, 22, 0), March(1, 23, 59, 59)}}},
        {"over the spring change",
         March(30, 22, 0),
         March(31, 5, 0),
         {{March(30, 22, 0), March(30, 23, 59, 59)}, {March(31, 0, 0), March(31, 5, 0)}}},
        {"of no length", March(1, 10, 0), March(1, 10, 0), {{March(1, 10, 0), March(1, 10, 0)}}},
    };
    LocalDayCache days;
    for (const auto& c : cases) {
        const auto pieces = SplitAtMidnight({c.in, c.out, 7, false}, days);
        EXPECT_EQ(Times(pieces), c.pieces) << c.name;
        for (const TimedSpan& piece : pieces) EXPECT_EQ(piece.source, 7) << c.name;
    }
}

class PairAddLog : public testing::Test {
  protected:
    std::string Plan(const std::vector<TimedSpan>& spans, TimeValue now, bool allowEmpty = false) {
        CTimeEntryList list;
        list.Load(log);
        const PairPlan plan = PlanPairs(list, spans, now, "line", allowEmpty, 10);
        planned = plan.pairs;
        std::string text;
        for (const std::string& conflict : plan.conflicts) text += conflict + '\n';
        return text;
    }

    TempDir dir;
    std::string log = dir.File("log");
    std::vector<TimedSpan> planned;
};

TEST_F(PairAddLog, ConflictsNameTheSpanAndWhatItMeets) {
    WriteFile(log, Triple(March(1, 9, 0), March(1, 12, 0)) + In("2024-03-04 09:00:00"));
    const TimeValue now = March(4, 11, 0);
    const struct {
        const char* name;
        TimedSpan span;
        std::string conflicts;
    } cases[] = {
        {"touching the pair", {March(1, 12, 0), March(1, 13, 0), 2}, ""},
        {"touching the open In", {March(4, 8, 0), March(4, 9, 0), 2}, ""},
        {"after now", {March(4, 11, 0), March(4, 12, 0), 2}, ""},
        {"into the pair",
         {March(1, 11, 0), March(1, 13, 0), 2},
         "line 2 (2024-03-01 11:00:00 - 2024-03-01 13:00:00) overlaps the pair 2024-03-01 "
         "09:00:00 - 2024-03-01 12:00:00 in the log\n"},
        {"into the open In, which runs until now",
         {March(4, 10, 0), March(4, 10, 30), 3},
         "line 3 (2024-03-04 10:00:00 - 2024-03-04 10:30:00) overlaps the open In of 2024-03-04 "
         "09:00:00\n"},
        {"Out before In",
         {March(2, 10, 0), March(2, 9, 0), 4},
         "line 4 (2024-03-02 10:00:00 - 2024-03-02 09:00:00): the Out is not after the In\n"},
        {"of no length",
         {March(2, 10, 0), March(2, 10, 0), 4},
         "line 4 (2024-03-02 10:00:00 - 2024-03-02 10:00:00): the Out is not after the In\n"},
        {"before 1990",
         {At(1989, 12, 31, 23, 0, 0), At(1990, 1, 1, 1, 0, 0), 5},
         "line 5 (1989-12-31 23:00:00 - 1990-01-01 01:00:00): the log holds only the years "
         "1990-2050\n"},
        {"after 2050",
         {At(2050, 12, 31, 23, 0, 0), At(2051, 1, 1, 1, 0, 0), 5},
         "line 5 (2050-12-31 23:00:00 - 2051-01-01 01:00:00): the log holds only the years "
         "1990-2050\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Plan({c.span}, now), c.conflicts) << c.name;
    // An import may bring pairs of no length, as the log itself can hold them.
    EXPECT_EQ(Plan({{March(2, 10, 0), March(2, 10, 0), 4}}, now, true), "");
    // Pieces of a span are checked one by one: only the day that collides is named.
    EXPECT_EQ(Plan({{March(3, 23, 0), March(4, 9, 30), 6}}, now),
              "line 6 (2024-03-04 00:00:00 - 2024-03-04 09:30:00) overlaps the open In of "
              "2024-03-04 09:00:00\n");
}

TEST_F(PairAddLog, PlannedPairsComeInTimeOrder) {
    EXPECT_EQ(Plan({{March(5, 9, 0), March(5, 10, 0), 1}, {March(2, 23, 0), March(3, 1, 0), 2}},
                   March(9, 0, 0)),
              "");
    EXPECT_EQ(Times(planned),
              (std::vector<std::pair<TimeValue, TimeValue>>{{March(2, 23, 0), March(2, 23, 59, 59)},
                                                            {March(3, 0, 0), March(3, 1, 0)},
                                                            {March(5, 9, 0), March(5, 10, 0)}}));
}

TEST_F(PairAddLog, MergeKeepsTheEntriesOrderAndTheOpenInLast) {
    // A log edited by hand is not in time order; its order stays.
    WriteFile(log, Triple(March(5, 9, 0), March(5, 10, 0)) +
                       Triple(March(2, 9, 0), March(2, 10, 0)) + In("2024-03-09 09:00:00"));
    CTimeEntryList list;
    list.Load(log);
    const int oldLastId = list.GetIdAt(2);
    MergePairs(list, {{March(1, 9, 0), March(1, 10, 0)},
                      {March(3, 9, 0), March(3, 10, 0)},
                      {March(6, 9, 0), March(6, 10, 0)}});
    std::vector<TimeValue> ins;
    for (int i = 0; i < list.GetCount(); ++i) {
        ins.push_back(list.GetAt(i)->m_timeIn);
        EXPECT_GT(list.GetIdAt(i), oldLastId);
    }
    EXPECT_EQ(ins, (std::vector<TimeValue>{March(1, 9, 0), March(3, 9, 0), March(5, 9, 0),
                                           March(2, 9, 0), March(6, 9, 0), March(9, 9, 0)}));
    EXPECT_FALSE(list.GetAt(5)->m_bHasOut);
    EXPECT_EQ(list.GetAt(1)->m_nElapsed, 3600);
}

TEST_F(PairAddLog, OneSaveWritesAllOrNothing) {
    const std::string before = Triple(March(1, 9, 0), March(1, 12, 0));
    WriteFile(log, before);
    const std::vector<TimedSpan> spans = {{March(2, 9, 0), March(2, 10, 0), 1},
                                          {March(1, 11, 0), March(1, 13, 0), 2}};
    // A conflict, or a problem a reader found, or only trying: the log stays as it was.
    PairAddResult r = AddPairsToLog(log, spans, {}, "entry", March(9, 0, 0), true, false, 10);
    EXPECT_EQ(r.conflicts.size(), 1u);
    r = AddPairsToLog(log, {spans[0]}, {"line 9: unreadable"}, "line", March(9, 0, 0), true, false,
                      10);
    EXPECT_EQ(r.conflicts, std::vector<std::string>{"line 9: unreadable"});
    r = AddPairsToLog(log, {spans[0]}, {}, "line", March(9, 0, 0), true, true, 10);
    EXPECT_TRUE(r.conflicts.empty());
    EXPECT_EQ(r.pairs.size(), 1u);
    EXPECT_EQ(ReadFile(log), before);
    EXPECT_FALSE(std::filesystem::exists(BackupPath(log, 0)));

    r = AddPairsToLog(log, {spans[0]}, {}, "line", March(9, 0, 0), true, false, 10);
    EXPECT_FALSE(r.failure);
    EXPECT_EQ(ReadFile(log), before + Triple(March(2, 9, 0), March(2, 10, 0)));
    EXPECT_EQ(ReadFile(BackupPath(log, 0)), before);  // the backup of the old log

    // The limit counts the reader's problems first.
    std::vector<std::string> many(20, "line 1: unreadable");
    r = AddPairsToLog(log, spans, many, "line", March(9, 0, 0), true, false, 10);
    EXPECT_EQ(r.conflicts.size(), 10u);
}

TEST_F(PairAddLog, ALogThatCannotBeReadIsAFailure) {
    std::filesystem::create_directory(log);
    const PairAddResult r =
        AddPairsToLog(log, {{March(2, 9, 0), March(2, 10, 0), 1}}, {}, "", 0, false, false, 10);
    ASSERT_TRUE(r.failure);
    EXPECT_NE(r.failure->find(log), std::string::npos) << *r.failure;
}

}  // namespace
}  // namespace tally::test
