// SPDX-License-Identifier: MIT
#include "log_generator.h"

#include <gtest/gtest.h>

#include <ctime>
#include <regex>
#include <string>
#include <vector>

#include "core/log_scan.h"
#include "log/time_log_file.h"
#include "test_support.h"

namespace tally::bench {
namespace {

struct Stamp {
    std::string prefix;
    int year, month, day, weekday, second;  // second of the day
};

const std::vector<std::string> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::vector<std::string> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

Stamp ParseRecord(const std::string& line) {
    static const std::regex layout(
        R"(^(In\.\.\.|Out\.\.)([A-Z][a-z]{2}) ([A-Z][a-z]{2}) (\d\d) (\d\d):(\d\d):(\d\d) (\d{4})\r\n$)");
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, layout)) << line;
    if (m.empty()) return {};
    Stamp s;
    s.prefix = m[1];
    s.weekday = IndexOf(kDays, m[2]);
    s.month = IndexOf(kMonths, m[3]);
    s.day = std::stoi(m[4]);
    s.second = std::stoi(m[5]) * 3600 + std::stoi(m[6]) * 60 + std::stoi(m[7]);
    s.year = std::stoi(m[8]);
    return s;
}

int TrueWeekday(const Stamp& s) {
    std::tm t{};
    t.tm_year = s.year - 1900;
    t.tm_mon = s.month;
    t.tm_mday = s.day;
    t.tm_hour = 12;
    timegm(&t);
    return t.tm_wday;
}

bool SameDay(const Stamp& a, const Stamp& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(start, end + 1 - start));
        start = end + 1;
    }
    EXPECT_EQ(start, bytes.size()) << "the log does not end with a line end";
    return lines;
}

struct Generated {
    std::string bytes;
    LogSummary summary;
};

Generated Generate(const LogShape& shape) {
    test::TempDir dir;
    Generated g;
    EXPECT_TRUE(GenerateLogFile(shape, dir.File("log"), &g.summary));
    g.bytes = test::ReadFile(dir.File("log"));
    return g;
}

// Checks every rule a reader relies on and returns the In records.
std::vector<Stamp> CheckLog(const std::string& bytes, bool openIn) {
    const std::vector<std::string> lines = Lines(bytes);
    std::vector<Stamp> ins;
    Stamp previousOut{};
    bool havePrevious = false;
    for (std::size_t i = 0; i < lines.size(); i += 3) {
        const Stamp in = ParseRecord(lines[i]);
        EXPECT_EQ(in.prefix, "In...");
        EXPECT_EQ(in.weekday, TrueWeekday(in)) << lines[i];
        EXPECT_GE(in.year, 1000);
        if (havePrevious && SameDay(previousOut, in)) {
            EXPECT_GE(in.second, previousOut.second);
        }
        ins.push_back(in);
        if (i + 1 == lines.size()) {
            EXPECT_TRUE(openIn) << "a log without an open In ends after an In record";
            break;
        }
        EXPECT_LT(i + 2, lines.size()) << "a triple is cut short";
        if (i + 2 >= lines.size()) break;
        const Stamp out = ParseRecord(lines[i + 1]);
        EXPECT_EQ(out.prefix, "Out..");
        EXPECT_TRUE(SameDay(in, out) && out.weekday == in.weekday) << lines[i + 1];
        EXPECT_GE(out.second, in.second);
        const int e = out.second - in.second;
        char expected[64];
        std::snprintf(expected, sizeof expected, "Elapsed time of %02d:%02d:%02d.\r\n", e / 3600,
                      e % 3600 / 60, e % 60);
        EXPECT_EQ(lines[i + 2], expected);
        previousOut = out;
        havePrevious = true;
    }
    EXPECT_EQ(lines.size() % 3, openIn ? 1u : 0u);
    return ins;
}

TEST(LogGenerator, WritesWorkingDaysInTheExactLayout) {
    const Generated g = Generate({2003, 2004, 0, false, 7});
    const std::vector<Stamp> ins = CheckLog(g.bytes, false);
    ASSERT_FALSE(ins.empty());
    EXPECT_EQ(static_cast<std::int64_t>(ins.size()), g.summary.triples);
    EXPECT_EQ(static_cast<std::int64_t>(g.bytes.size()), g.summary.triples * 89);
    int perDay = 0;
    int mostPerDay = 0;
    int days = 0;
    for (std::size_t i = 0; i < ins.size(); ++i) {
        EXPECT_TRUE(ins[i].weekday >= 1 && ins[i].weekday <= 5) << "a weekend day";
        EXPECT_TRUE(ins[i].year == 2003 || ins[i].year == 2004);
        if (i > 0 && SameDay(ins[i - 1], ins[i])) {
            ++perDay;
        } else {
            perDay = 1;
            ++days;
        }
        mostPerDay = std::max(mostPerDay, perDay);
    }
    EXPECT_EQ(mostPerDay, 3);
    EXPECT_EQ(days, g.summary.days);
    // Two years hold 523 weekdays; a few are days off.
    EXPECT_GT(days, 470);
    EXPECT_LT(days, 523);
}

TEST(LogGenerator, PacksDensePairsWithoutOverlap) {
    const Generated g = Generate({2050, 2050, 45, false, 3});
    const std::vector<Stamp> ins = CheckLog(g.bytes, false);
    EXPECT_EQ(g.summary.days, 365);
    EXPECT_EQ(static_cast<std::int64_t>(ins.size()), 365 * 45);
    EXPECT_EQ(g.bytes.substr(g.bytes.size() - 89, 15), "In...Sat Dec 31");
}

TEST(LogGenerator, LeavesTheLastInOpenWhenAsked) {
    const Generated closed = Generate({2010, 2010, 0, false, 5});
    const Generated open = Generate({2010, 2010, 0, true, 5});
    CheckLog(open.bytes, true);
    ASSERT_EQ(open.bytes.size(), closed.bytes.size() - 58);
    EXPECT_EQ(open.bytes, closed.bytes.substr(0, open.bytes.size()));

    test::TempDir dir;
    test::WriteFile(dir.File("log"), open.bytes);
    EXPECT_TRUE(IsLastRecordIn(dir.File("log")));
}

TEST(LogGenerator, IsDeterministicForASeed) {
    EXPECT_EQ(Generate({2000, 2000, 0, false, 9}).bytes, Generate({2000, 2000, 0, false, 9}).bytes);
    EXPECT_NE(Generate({2000, 2000, 0, false, 9}).bytes,
              Generate({2000, 2000, 0, false, 10}).bytes);
}

// The scan must read every generated log to its end, or the benchmarks measure too little.
TEST(LogGenerator, ScanReadsEveryLineAndDay) {
    for (const LogShape& shape :
         {LogShape{1999, 2001, 0, false, 1}, LogShape{2020, 2020, 45, true, 2}}) {
        test::TempDir dir;
        LogSummary summary;
        ASSERT_TRUE(GenerateLogFile(shape, dir.File("log"), &summary));
        FileDescriptor fd(OpenTimeLog(dir.File("log"), LogAccess::Read, nullptr));
        RowLists rows;
        const ScanState state = ScanRecords(fd.Get(), CurrentSettings{}, rows);
        EXPECT_EQ(static_cast<std::int64_t>(rows.raw.size()),
                  summary.triples * 3 + (shape.openIn ? 1 : 0));
        EXPECT_EQ(state.dayCount, summary.days);
        EXPECT_EQ(state.clockedIn, shape.openIn);
    }
}

}  // namespace
}  // namespace tally::bench
