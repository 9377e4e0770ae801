// SPDX-License-Identifier: MIT
// The import readers: one real-shaped file per format (written by the tracker itself where
// Debian has it) and damaged ones, each problem named by its line or entry.

#include <gtest/gtest.h>

#include "interchange/import/imported_spans.h"
#include "test_support.h"
#include "time/local_time_text.h"

namespace tally::test {
namespace {

using Spans = std::vector<std::tuple<TimeValue, TimeValue, int>>;

Spans Of(const ImportedSpans& imported) {
    Spans spans;
    for (const TimedSpan& s : imported.spans) spans.emplace_back(s.in, s.out, s.source);
    return spans;
}

std::string Sample(const std::string& name) {
    return ReadFile(std::string(TALLY_IMPORT_SAMPLES) + "/" + name);
}

// The instants of the samples that timew and hledger read: 2024-03-01 09:00 - 12:30,
// 13:15 - 17:05:41, 2024-03-04 22:00 - 2024-03-05 01:30 (UTC for timew, local for timeclock).
constexpr TimeValue kUtcSample[] = {1709283600, 1709296200, 1709298900,
                                    1709312741, 1709589600, 1709602200};

TEST(ImportReaders, localTimeTexts) {
    const struct {
        const char* text;
        char separator;
        std::optional<TimeValue> time;
    } cases[] = {
        {"2024-03-01 09:05:07", '-', At(2024, 3, 1, 9, 5, 7)},
        {"2024-03-01 09:05", '-', At(2024, 3, 1, 9, 5, 0)},
        {"2024/03/01 09:05:07", '/', At(2024, 3, 1, 9, 5, 7)},
        {"2024/03/01 09:05:07", '-', std::nullopt},
        {"2024-02-30 09:05:07", '-', std::nullopt},
        {"2024-03-01 24:00:00", '-', std::nullopt},
        {"2024-03-01 09:60", '-', std::nullopt},
        {"2024-03-01 9:05:07", '-', std::nullopt},
        {"2024-03-01T09:05:07", '-', std::nullopt},
        {"2024-03-01 09:05:07 ", '-', std::nullopt},
        {"", '-', std::nullopt},
    };
    LocalDayCache days;
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLocalTimeText(c.text, days, c.separator), c.time) << c.text;
    }
    EXPECT_EQ(ParseUtcStamp("20240301T090000Z"), kUtcSample[0]);
    EXPECT_EQ(ParseUtcStamp("19700101T000000Z"), 0);
    for (const char* bad : {"20240301T090000", "20240301 090000Z", "20241301T090000Z",
                            "2024-03-01T09:00:00Z", "20240301T0900000Z"}) {
        EXPECT_EQ(ParseUtcStamp(bad), std::nullopt) << bad;
    }
}

TEST(ImportReaders, csv) {
    const std::string text =
        "in,out,elapsed_seconds,hours,amount\r\n"
        "2024-03-01 09:00:00,2024-03-01 12:30:00,12600,3.50,175.00\r\n"
        "2024-03-01 13:15:00,2024-03-01 17:05:41,13841,3.84,192.24\r\n";
    const ImportedSpans imported = ReadCsvPairs(text);
    EXPECT_EQ(Of(imported), (Spans{{At(2024, 3, 1, 9, 0, 0), At(2024, 3, 1, 12, 30, 0), 2},
                                   {At(2024, 3, 1, 13, 15, 0), At(2024, 3, 1, 17, 5, 41), 3}}));
    EXPECT_TRUE(imported.problems.empty());

    const ImportedSpans bad = ReadCsvPairs(
        "in,out\n2024-03-01 09:00:00,2024-03-01 12:30:00,1,1,1\n2024-03-01 09:00:00\n"
        "2024-03-01 09:00:00,soon,1\n\n2024-03-02 09:00:00,2024-03-02 10:00:00,3600,1.00,0.00\n");
    EXPECT_EQ(bad.problems,
              (std::vector<std::string>{"line 1: not the header of tally export",
                                        "line 3: not two times YYYY-MM-DD HH:MM:SS",
                                        "line 4: not two times YYYY-MM-DD HH:MM:SS"}));
    EXPECT_EQ(bad.spans.size(), 2u);
    EXPECT_EQ(ReadCsvPairs("").problems.size(), 1u);
}

TEST(ImportReaders, timeclockAsHledgerReadsIt) {
    // sample.timeclock: "hledger -f sample.timeclock print" shows these three intervals.
    const ImportedSpans imported = ReadTimeclockPairs(Sample("sample.timeclock"));
    EXPECT_TRUE(imported.problems.empty()) << imported.problems.front();
    EXPECT_EQ(Of(imported), (Spans{{At(2024, 3, 1, 9, 0, 0), At(2024, 3, 1, 12, 30, 0), 2},
                                   {At(2024, 3, 1, 13, 15, 0), At(2024, 3, 1, 17, 5, 41), 4},
                                   {At(2024, 3, 4, 22, 0, 0), At(2024, 3, 5, 1, 30, 0), 8}}));

    const struct {
        const char* text;
        std::vector<std::string> problems;
    } bad[] = {
        {"i 2024/03/01 09:00:00 a\n", {"line 1: an interval with no o line (still open)"}},
        {"i 2024/03/01 09:00:00 a\ni 2024/03/01 10:00:00 a\no 2024/03/01 11:00:00\n",
         {"line 1: an interval with no o line"}},
        {"o 2024/03/01 11:00:00\n", {"line 1: an o line with no i line before it"}},
        {"i 2024/03/01 09:00 a\no 2024/03/01 25:00\n",
         {"line 2: no time YYYY/MM/DD HH:MM:SS after 'o'"}},
        {"i2024/03/01 09:00:00\n", {"line 1: no time YYYY/MM/DD HH:MM:SS after 'i'"}},
        {"i 2024/03/01 09:00:00x\n", {"line 1: no time YYYY/MM/DD HH:MM:SS after 'i'"}},
        {"x 2024/03/01 09:00:00\n", {"line 1: not an i, o, b or h line"}},
    };
    for (const auto& c : bad) EXPECT_EQ(ReadTimeclockPairs(c.text).problems, c.problems) << c.text;
    // Codes in capitals, dashes in dates, blanks and tabs, no seconds.
    EXPECT_EQ(Of(ReadTimeclockPairs("I\t2024-03-01 09:00 x\n  \nO 2024-03-01 10:00\n")),
              (Spans{{At(2024, 3, 1, 9, 0, 0), At(2024, 3, 1, 10, 0, 0), 1}}));
}

TEST(ImportReaders, timewarriorExport) {
    // Written by timew export after "timew track" of the three intervals.
    const ImportedSpans imported = ReadTimewarriorExport(Sample("timew-export.json"));
    EXPECT_TRUE(imported.problems.empty());
    EXPECT_EQ(Of(imported), (Spans{{kUtcSample[0], kUtcSample[1], 1},
                                   {kUtcSample[2], kUtcSample[3], 2},
                                   {kUtcSample[4], kUtcSample[5], 3}}));
    EXPECT_EQ(std::string(imported.sourceWord), "entry");
    // The same after "timew start": the running interval has no end.
    const ImportedSpans running = ReadTimewarriorExport(Sample("timew-export-open.json"));
    EXPECT_TRUE(running.problems.empty());
    ASSERT_TRUE(running.open.has_value());
    EXPECT_EQ(std::tuple(running.open->in, running.open->source),
              std::tuple(ParseUtcStamp("20240306T090000Z").value(), 4));

    const struct {
        const char* text;
        std::vector<std::string> problems;
    } bad[] = {
        {"", {"not a JSON array of timew export"}},
        {"[{\"start\":\"20240301T090000Z\",", {"not a JSON array of timew export"}},
        {"{\"start\":\"20240301T090000Z\"}", {"not a JSON array of timew export"}},
        {"[1, {\"end\":\"20240301T090000Z\"}]", {"entry 1: no start", "entry 2: no start"}},
        {"[{\"start\":\"20240301T090000Z\",\"end\":\"2024-03-01\"}]",
         {"entry 1: start or end is not YYYYMMDDTHHMMSSZ"}},
        {"[{\"start\":\"20240301T090000Z\",\"end\":7}]",
         {"entry 1: start or end is not YYYYMMDDTHHMMSSZ"}},
    };
    for (const auto& c : bad)
        EXPECT_EQ(ReadTimewarriorExport(c.text).problems, c.problems) << c.text;
}

TEST(ImportReaders, watsonFrames) {
    // Four-field frames of early versions and six-field ones in one file.
    const ImportedSpans imported = ReadWatsonFrames(Sample("watson-frames.json"));
    EXPECT_TRUE(imported.problems.empty());
    ASSERT_EQ(imported.spans.size(), 21u);
    EXPECT_EQ(Of(imported).front(),
              (std::tuple<TimeValue, TimeValue, int>{1708938000, 1708947000, 1}));
    EXPECT_EQ(Of(imported)[2], (std::tuple<TimeValue, TimeValue, int>{1709540400, 1709548601, 3}));
    EXPECT_EQ(Of(imported).back(),
              (std::tuple<TimeValue, TimeValue, int>{1710512565, 1710517132, 21}));

    EXPECT_EQ(Of(ReadWatsonFrames("[[1709540400.7, 1709548601, \"p\", \"id\"]]")),
              (Spans{{1709540400, 1709548601, 1}}));
    const struct {
        const char* text;
        std::vector<std::string> problems;
    } bad[] = {
        {"{}", {"not a JSON array of Watson frames"}},
        {"[[1, 2, \"p\"]", {"not a JSON array of Watson frames"}},
        {"[[1, 2, \"p\"], [1, 2, \"p\", \"id\", []], \"frame\"]",
         {"entry 1: not a frame of 4 or 6 fields", "entry 2: not a frame of 4 or 6 fields",
          "entry 3: not a frame of 4 or 6 fields"}},
        {"[[\"1709540400\", 2, \"p\", \"id\"], [1, null, \"p\", \"id\"], [1e300, 2, \"p\", "
         "\"id\"]]",
         {"entry 1: start or stop is not a Unix time", "entry 2: start or stop is not a Unix time",
          "entry 3: start or stop is not a Unix time"}},
    };
    for (const auto& c : bad) EXPECT_EQ(ReadWatsonFrames(c.text).problems, c.problems) << c.text;
}

// Every reader takes a file with a byte-order mark as without one; a NUL byte refuses the
// file, wherever it stands.
TEST(ImportReaders, byteOrderMarkAndNulAreTreatedAlikeByEveryFormat) {
    const struct {
        ImportedSpans (*read)(std::string_view);
        std::string text;
    } formats[] = {
        {ReadCsvPairs,
         "in,out,elapsed_seconds,hours,amount\n2024-03-01 09:00:00,2024-03-01 10:00:00,0,0,0\n"},
        {ReadTimeclockPairs, "i 2024/03/01 09:00:00 x\no 2024/03/01 10:00:00\n"},
        {ReadTimewarriorExport, R"([{"start":"20240301T080000Z","end":"20240301T090000Z"}])"},
        {ReadWatsonFrames, R"([[1709280000, 1709283600, "p", "id"]])"},
    };
    for (const auto& f : formats) {
        const ImportedSpans plain = ReadImportText(f.text, f.read);
        ASSERT_EQ(plain.spans.size(), 1u) << f.text;
        const ImportedSpans marked = ReadImportText("\xEF\xBB\xBF" + f.text, f.read);
        EXPECT_EQ(marked.problems, plain.problems) << f.text;
        EXPECT_EQ(marked.spans.size(), 1u) << f.text;
        const ImportedSpans nul = ReadImportText(f.text + '\0' + "junk\n", f.read);
        EXPECT_TRUE(nul.spans.empty()) << f.text;
        EXPECT_EQ(nul.problems,
                  std::vector<std::string>{
                      "line " + std::to_string(1 + std::count(f.text.begin(), f.text.end(), '\n')) +
                      ": a NUL byte (the file is not text)"})
            << f.text;
    }
}

}  // namespace
}  // namespace tally::test
