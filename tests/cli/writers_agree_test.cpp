// SPDX-License-Identifier: MIT
// Every way of writing the log, run as a user runs it: on clock-change days each figure
// counts a pair as the real time worked, later writers keep its bytes, and importing while
// others punch never fails.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "invoice/invoice_lines.h"
#include "json_output.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

// A pair across a clock change: local wall times of the In and the Out, and what really passed.
struct ChangeDay {
    const char* zone;
    const char* date;  // YYYY-MM-DD
    const char* in;    // HH:MM:SS
    const char* out;
    int realSeconds;
};

constexpr ChangeDay kChangeDays[] = {
    {"America/New_York", "2024-11-03", "00:30:00", "03:00:00", 3 * 3600 + 1800},
    {"America/New_York", "2024-03-10", "01:30:00", "03:10:00", 40 * 60},
    {"Europe/Berlin", "2024-10-27", "01:30:00", "04:00:00", 3 * 3600 + 1800},
    {"Europe/Berlin", "2024-03-31", "01:30:00", "03:10:00", 40 * 60},
};

constexpr const char* kAfterwards = "2024-12-01 12:00:00";

class WritersAgree : public testing::Test {
  protected:
    ProcessResult Run(const ChangeDay& day, const std::vector<std::string>& args,
                      const std::string& at = kAfterwards) {
        ProcessOptions options;
        options.env["TZ"] = day.zone;
        return tally.Run(args, at, options);
    }

    std::string File(const std::string& name, const std::string& text) const {
        const std::string path = scratch.File(name);
        WriteFile(path, text);
        return path;
    }

    // The instant of a local wall time in the day's zone.
    static TimeValue Instant(const ChangeDay& day, const char* hms) {
        PinTimeZone(day.zone);
        const std::string text = std::string(day.date) + ' ' + hms;
        std::tm fields{};
        strptime(text.c_str(), "%Y-%m-%d %H:%M:%S", &fields);
        fields.tm_isdst = -1;
        const TimeValue t = mktime(&fields);
        PinTimeZone();
        return t;
    }

    static std::string Utc(TimeValue t) {
        char text[32];
        const std::time_t time = t;
        std::tm fields{};
        gmtime_r(&time, &fields);
        std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &fields);
        return text;
    }

    // Writes the day's pair into a fresh log the way a writer does.
    void Write(const ChangeDay& day, const std::string& writer) {
        const std::string date = day.date, in = date + ' ' + day.in, out = date + ' ' + day.out;
        std::string slashed = date;
        std::replace(slashed.begin(), slashed.end(), '-', '/');
        const TimeValue start = Instant(day, day.in), end = Instant(day, day.out);
        ProcessResult r;
        if (writer == "Clock Out") {
            ASSERT_EQ(Run(day, {"in"}, in).exitCode, 0);
            r = Run(day, {"out"}, out);
        } else if (writer == "add") {
            r = Run(day, {"add", in, out});
        } else if (writer == "csv") {
            r = Run(day, {"import", "csv",
                          File("f.csv", "in,out,elapsed_seconds,hours,amount\n" + in + ',' + out +
                                            ",0,0,0\n")});
        } else if (writer == "timeclock") {
            r = Run(day, {"import", "timeclock",
                          File("f.timeclock", "i " + slashed + ' ' + day.in + " x\no " + slashed +
                                                  ' ' + day.out + "\n")});
        } else if (writer == "timewarrior") {
            r = Run(day, {"import", "timewarrior",
                          File("f.json", R"([{"start":")" + Utc(start) + R"(","end":")" + Utc(end) +
                                             R"("}])")});
        } else {
            r = Run(day, {"import", "watson",
                          File("f.json", "[[" + std::to_string(start) + ", " + std::to_string(end) +
                                             ", \"p\", \"id\"]]")});
        }
        ASSERT_EQ(r.exitCode, 0) << writer << ' ' << day.date << ": " << r.err;
    }

    TallyHarness tally;
    TempDir scratch;
};

TEST_F(WritersAgree, everyFigureCountsAPairAcrossAClockChangeAsTheTimeWorked) {
    for (const ChangeDay& day : kChangeDays) {
        for (const std::string writer :
             {"Clock Out", "add", "csv", "timeclock", "timewarrior", "watson"}) {
            const std::string where = writer + " on " + day.date + " in " + day.zone;
            std::filesystem::remove(tally.Log());
            Write(day, writer);
            const std::string written = ReadFile(tally.Log());

            const auto seconds = [&](const std::vector<std::string>& args) {
                return ParseJsonOutput(Run(day, args).out);
            };
            EXPECT_EQ(seconds({"report", "--by", "day", "--json"})["total"]["seconds"],
                      day.realSeconds)
                << where;
            EXPECT_EQ(seconds({"export", "--json"})["pairs"][0]["seconds"], day.realSeconds)
                << where;
            // What the window's totals boxes show, from the same scan.
            EXPECT_EQ(seconds({"status", "--json"})["today"]["seconds"], day.realSeconds) << where;
            std::string total = TotalLine(day.realSeconds, 0.0);
            total.replace(total.size() - 2, 2, "\n");
            EXPECT_TRUE(Run(day, {"invoice", day.date, day.date}).out.ends_with(total)) << where;

            // A later writer leaves the pair's bytes as they are.
            ASSERT_EQ(Run(day, {"add", "2024-11-20 09:00", "2024-11-20 10:00"}).exitCode, 0);
            EXPECT_TRUE(ReadFile(tally.Log()).starts_with(written)) << where;
            // The daily list shows a day once a later one follows.
            EXPECT_EQ(seconds({"days", "--json"})["rows"][0]["seconds"], day.realSeconds) << where;
        }
    }
}

// Four writers punch while a fifth imports small files: every import gets in, and the log
// holds exactly the pairs of the commands that succeeded.
TEST_F(WritersAgree, importsSucceedWhileOthersPunch) {
    const char* wanted = std::getenv("TALLY_WRITERS_SECONDS");
    const auto seconds = std::chrono::seconds(wanted != nullptr ? std::atoi(wanted) : 6);
    const auto until = std::chrono::steady_clock::now() + seconds;
    std::atomic<int> outs = 0;
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&] {
            while (std::chrono::steady_clock::now() < until) {
                tally.Run({"in"});
                if (tally.Run({"out"}).exitCode == 0) ++outs;
            }
        });
    }
    int imports = 0;
    int failed = 0;
    for (int day = 0; std::chrono::steady_clock::now() < until; ++day) {
        // Two pairs on a day of their own, long before the punches.
        char date[16];
        std::snprintf(date, sizeof date, "%04d/%02d/%02d", 2000 + day / 336, 1 + day / 28 % 12,
                      1 + day % 28);
        const std::string d = date;
        const std::string file =
            File("f.timeclock", "i " + d + " 09:00:00\no " + d + " 10:00:00\ni " + d +
                                    " 11:00:00\no " + d + " 12:00:00\n");
        const ProcessResult r = tally.Run({"import", "timeclock", file});
        ++(r.exitCode == 0 ? imports : failed);
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    for (std::thread& writer : writers) writer.join();
    EXPECT_EQ(failed, 0);
    EXPECT_GT(imports, 0);
    EXPECT_GT(outs, 0);
    const std::string log = ReadFile(tally.Log());
    std::size_t pairs = 0;
    for (std::size_t at = log.find("Out.."); at != std::string::npos;
         at = log.find("Out..", at + 1))
        ++pairs;
    EXPECT_EQ(pairs, static_cast<std::size_t>(outs + 2 * imports));
    EXPECT_EQ(tally.Run({"check"}).exitCode, 0);
}

}  // namespace
}  // namespace tally::test
