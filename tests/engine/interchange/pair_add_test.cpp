// SPDX-License-Identifier: MIT
// Adding pairs that were never punched: the midnight split and the clock-change rule, the
// checks against the log and the open In, the place between the log's bytes, and the one
// replacement that writes all or nothing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <filesystem>

#include "interchange/pair_add.h"
#include "log/backup_rotation.h"
#include "log_text.h"
#include "reports/report_buckets.h"
#include "test_support.h"
#include "time/wall_clock.h"

namespace tally::test {
namespace {

TimeValue March(int day, int hour, int minute, int second = 0) {
    return At(2024, 3, day, hour, minute, second);
}

// A planned pair as the texts of its wall-clock ends.
using Walls = std::vector<std::pair<std::string, std::string>>;

Walls WallTexts(const std::vector<PlannedPair>& pairs) {
    Walls texts;
    for (const PlannedPair& p : pairs) texts.emplace_back(WallTimeText(p.in), WallTimeText(p.out));
    return texts;
}

// The test zone is Central European: clocks go forward on 2024-03-31 at 02:00 and back on
// 2024-10-27 at 03:00.
TEST(PairAdd, spansAreSplitPerDayAndWrittenAsClockOutWritesThem) {
    const struct {
        const char* name;
        TimeValue in, out;
        Walls pieces;
    } cases[] = {
        {"within a day",
         March(1, 9, 0),
         March(1, 17, 0),
         {{"2024-03-01 09:00:00", "2024-03-01 17:00:00"}}},
        {"over one midnight",
         March(1, 22, 0),
         March(2, 2, 0),
         {{"2024-03-01 22:00:00", "2024-03-01 23:59:59"},
          {"2024-03-02 00:00:00", "2024-03-02 02:00:00"}}},
        {"over three days",
         March(1, 22, 0),
         March(4, 1, 0),
         {{"2024-03-01 22:00:00", "2024-03-01 23:59:59"},
          {"2024-03-02 00:00:00", "2024-03-02 23:59:59"},
          {"2024-03-03 00:00:00", "2024-03-03 23:59:59"},
          {"2024-03-04 00:00:00", "2024-03-04 01:00:00"}}},
        {"ending at midnight",
         March(1, 22, 0),
         March(2, 0, 0),
         {{"2024-03-01 22:00:00", "2024-03-01 23:59:59"}}},
        {"of no length",
         March(1, 10, 0),
         March(1, 10, 0),
         {{"2024-03-01 10:00:00", "2024-03-01 10:00:00"}}},
        // 01:30 to 03:10 is 40 minutes on the spring day: the Out stands at 02:10.
        {"over the spring change",
         March(31, 1, 30),
         March(31, 3, 10),
         {{"2024-03-31 01:30:00", "2024-03-31 02:10:00"}}},
        // 00:30 to 03:00 (the second time) is three and a half hours on the autumn day.
        {"over the autumn change",
         At(2024, 10, 27, 0, 30, 0),
         At(2024, 10, 27, 3, 0, 0),
         {{"2024-10-27 00:30:00", "2024-10-27 04:00:00"}}},
        {"a whole autumn day is cut at its end",
         At(2024, 10, 26, 23, 0, 0),
         At(2024, 10, 27, 23, 30, 0),
         {{"2024-10-26 23:00:00", "2024-10-26 23:59:59"},
          {"2024-10-27 00:00:00", "2024-10-27 23:59:59"}}},
    };
    LocalDayCache days;
    for (const auto& c : cases) {
        const auto pieces = PlanSpan({c.in, c.out, 7, false}, days);
        EXPECT_EQ(WallTexts(pieces), c.pieces) << c.name;
        for (const PlannedPair& piece : pieces) EXPECT_EQ(piece.source, 7) << c.name;
    }
}

class PairAddLog : public testing::Test {
  protected:
    AddOptions Options(TimeValue now, bool allowEmpty = false) const {
        AddOptions options;
        options.sourceWord = "line";
        options.now = now;
        options.allowEmpty = allowEmpty;
        return options;
    }

    LogPairs Pairs() const {
        const int fd = open(log.c_str(), O_RDONLY);
        LogPairs pairs = ReadLogPairs(fd);
        close(fd);
        return pairs;
    }

    std::string Plan(const std::vector<TimedSpan>& spans, TimeValue now, bool allowEmpty = false) {
        const PairPlan plan = PlanPairs(Pairs(), spans, Options(now, allowEmpty));
        planned = plan.pairs;
        std::string text;
        for (const std::string& conflict : plan.conflicts) text += conflict + '\n';
        return text;
    }

    TempDir dir;
    std::string log = dir.File("log");
    std::vector<PlannedPair> planned;
};

TEST_F(PairAddLog, conflictsNameTheSpanAndWhatItMeets) {
    WriteFile(log, Triple(March(1, 9, 0), March(1, 12, 0)) + In("2024-03-04 09:00:00"));
    const TimeValue now = March(4, 11, 0);
    const std::string openIn =
        " overlaps the open In of 2024-03-04 09:00:00 (nothing can be added after it until it "
        "is closed)\n";
    const struct {
        const char* name;
        TimedSpan span;
        std::string conflicts;
    } cases[] = {
        {"touching the pair", {March(1, 12, 0), March(1, 13, 0), 2}, ""},
        {"touching the open In", {March(4, 8, 0), March(4, 9, 0), 2}, ""},
        {"into the pair",
         {March(1, 11, 0), March(1, 13, 0), 2},
         "line 2 (2024-03-01 11:00:00 - 2024-03-01 13:00:00) overlaps the pair 2024-03-01 "
         "09:00:00 - 2024-03-01 12:00:00 in the log\n"},
        {"into the open In",
         {March(4, 10, 0), March(4, 10, 30), 3},
         "line 3 (2024-03-04 10:00:00 - 2024-03-04 10:30:00)" + openIn},
        {"after the open In, before now",
         {March(4, 10, 30), March(4, 10, 45), 3},
         "line 3 (2024-03-04 10:30:00 - 2024-03-04 10:45:00)" + openIn},
        {"ending after now",
         {March(4, 11, 0), March(4, 12, 0), 2},
         "line 2 (2024-03-04 11:00:00 - 2024-03-04 12:00:00): the Out is after now\n"},
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
              "line 6 (2024-03-04 00:00:00 - 2024-03-04 09:30:00)" + openIn);
}

TEST_F(PairAddLog, pairsGoBetweenTheBytesInTimeOrderAndTheOpenInStaysLast) {
    // A log edited by hand is not in time order; its order stays, and a pair goes before the
    // first record that begins after it. A pair of 1989, which the scan counts, stays too.
    const std::string first = Triple("1989-03-05 09:00:00", "1989-03-05 10:00:00") +
                              Triple(March(5, 9, 0), March(5, 10, 0));
    const std::string second = Triple(March(2, 9, 0), March(2, 10, 0));
    const std::string open = In("2024-03-09 09:00:00");
    WriteFile(log, first + second + open);
    const std::vector<TimedSpan> spans = {{March(6, 9, 0), March(6, 10, 0), 1},
                                          {March(1, 9, 0), March(1, 10, 0), 2},
                                          {March(3, 9, 0), March(3, 10, 0), 3}};
    const PairAddResult r = AddPairsToLog(log, spans, {}, Options(March(9, 12, 0)));
    ASSERT_FALSE(r.failure) << *r.failure;
    EXPECT_EQ(r.conflicts, std::vector<std::string>{});
    EXPECT_EQ(ReadFile(log), Triple("1989-03-05 09:00:00", "1989-03-05 10:00:00") +
                                 Triple(March(1, 9, 0), March(1, 10, 0)) +
                                 Triple(March(3, 9, 0), March(3, 10, 0)) +
                                 Triple(March(5, 9, 0), March(5, 10, 0)) + second +
                                 Triple(March(6, 9, 0), March(6, 10, 0)) + open);
    EXPECT_EQ(ReadFile(BackupPath(log, 0)), first + second + open);
}

TEST_F(PairAddLog, oneReplacementWritesAllOrNothing) {
    const std::string before = Triple(March(1, 9, 0), March(1, 12, 0));
    WriteFile(log, before);
    const std::vector<TimedSpan> spans = {{March(2, 9, 0), March(2, 10, 0), 1},
                                          {March(1, 11, 0), March(1, 13, 0), 2}};
    AddOptions options = Options(March(9, 0, 0), true);
    // A conflict, or a problem a reader found, or only trying: the log stays as it was.
    PairAddResult r = AddPairsToLog(log, spans, {}, options);
    EXPECT_EQ(r.conflicts.size(), 1u);
    r = AddPairsToLog(log, {spans[0]}, {"line 9: unreadable"}, options);
    EXPECT_EQ(r.conflicts, std::vector<std::string>{"line 9: unreadable"});
    options.tryOnly = true;
    r = AddPairsToLog(log, {spans[0]}, {}, options);
    EXPECT_TRUE(r.conflicts.empty());
    EXPECT_EQ(r.pairs.size(), 1u);
    EXPECT_EQ(ReadFile(log), before);
    EXPECT_FALSE(std::filesystem::exists(BackupPath(log, 0)));

    // The limit counts the reader's problems first.
    options.tryOnly = false;
    std::vector<std::string> many(20, "line 1: unreadable");
    r = AddPairsToLog(log, spans, many, options);
    EXPECT_EQ(r.conflicts.size(), 10u);

    // Nothing to add makes no log.
    const std::string missing = dir.File("missing");
    r = AddPairsToLog(missing, {}, {}, options);
    EXPECT_FALSE(r.failure);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(PairAddLog, aLogThatCannotBeReadIsAFailure) {
    std::filesystem::create_directory(log);
    const PairAddResult r =
        AddPairsToLog(log, {{March(2, 9, 0), March(2, 10, 0), 1}}, {}, Options(March(9, 0, 0)));
    ASSERT_TRUE(r.failure);
    EXPECT_NE(r.failure->find(log), std::string::npos) << *r.failure;
}

// Every single-byte damage of a three-pair log: adding an unrelated pair either is refused
// with the log byte for byte as it was, or keeps every byte in order and every old day's total.
TEST_F(PairAddLog, aDamagedLogIsRefusedOrKeptWhole) {
    const std::string clean = Triple("2024-01-08 09:00:00", "2024-01-08 16:00:00") +
                              Triple("2024-01-09 09:00:00", "2024-01-09 12:30:00") +
                              Triple("2024-01-10 22:00:00", "2024-01-10 23:15:00");
    const TimedSpan unrelated{At(2031, 7, 15, 9, 0, 0), At(2031, 7, 15, 10, 0, 0), 0};
    const std::string added = Triple("2031-07-15 09:00:00", "2031-07-15 10:00:00");
    const auto days = [this] {
        DayCollector collector;
        const int fd = open(log.c_str(), O_RDONLY);
        const ScanState state = ScanRecords(fd, CurrentSettings{}, collector);
        close(fd);
        std::vector<std::string> texts;
        for (const ScannedDay& day : collector.Finish(state)) {
            if (day.date.year == 2031) continue;
            texts.push_back(
                WallTimeText(WallCountOf({day.date.year, day.date.month, day.date.day})) + ' ' +
                std::to_string(ElapsedToSeconds(day.total)));
        }
        return texts;
    };
    int refused = 0;
    for (std::size_t at = 0; at < clean.size(); ++at) {
        for (const char byte : {'x', '9', '\n'}) {
            if (clean[at] == byte) continue;
            std::string damaged = clean;
            damaged[at] = byte;
            WriteFile(log, damaged);
            std::filesystem::remove(BackupPath(log, 0));
            const auto before = days();
            const PairAddResult r =
                AddPairsToLog(log, {unrelated}, {}, Options(At(2032, 1, 1, 0, 0, 0)));
            const std::string after = ReadFile(log);
            const std::string where = "byte " + std::to_string(at) + " as '" + byte + "'";
            if (r.failure || !r.conflicts.empty()) {
                ++refused;
                EXPECT_EQ(after, damaged) << where;
                continue;
            }
            EXPECT_EQ(after.size(), damaged.size() + added.size()) << where;
            const std::size_t insertedAt = after.find(added);
            ASSERT_NE(insertedAt, std::string::npos) << where;
            EXPECT_EQ(after.substr(0, insertedAt) + after.substr(insertedAt + added.size()),
                      damaged)
                << where;
            EXPECT_EQ(days(), before) << where;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace tally::test
