// SPDX-License-Identifier: MIT
// tally --json as a script reads it: every command prints one document with the documented
// keys in their order, for any log, and the figures its text output prints.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "json_output.h"
#include "log_text.h"
#include "tally_harness.h"

namespace tally::test {
namespace {

using Keys = std::vector<std::string>;

// Three closed pairs over two weekly billing periods (the fixture's; the second begins on
// Sunday, Jan 4).
const std::string kClosedLog = Triple("2004-01-02 09:00:00", "2004-01-02 10:00:00") +
                               Triple("2004-01-05 09:00:00", "2004-01-05 11:30:15") +
                               Triple("2004-01-06 13:00:00", "2004-01-06 14:00:00");
const std::string kOpenLog = kClosedLog + In("2004-01-06 14:30:00");
constexpr const char* kAfterwards = "2004-01-06 15:00:00";

void ExpectEach(const OrderedJson& list, const std::function<void(const OrderedJson&)>& check) {
    ASSERT_TRUE(list.is_array()) << list;
    for (const OrderedJson& element : list) check(element);
}

void ExpectStatus(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), (Keys{"state", "log", "today", "period", "clocked_in_since"}));
    for (const char* box : {"today", "period"}) {
        EXPECT_EQ(KeysOf(d[box]), (Keys{"first", "second", "seconds", "time", "amount"}));
        EXPECT_TRUE(d[box]["seconds"].is_number_integer() && d[box]["amount"].is_number());
    }
    EXPECT_TRUE(d["clocked_in_since"].is_null() == (d["state"] == "Out")) << d;
}

void ExpectDays(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), Keys{"rows"});
    ExpectEach(d["rows"], [](const OrderedJson& row) {
        EXPECT_EQ(KeysOf(row), row["kind"] == "period"
                                   ? (Keys{"kind", "seconds", "time"})
                                   : (Keys{"kind", "weekday", "date", "seconds", "time"}));
    });
}

void ExpectLog(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), Keys{"rows"});
    ExpectEach(d["rows"], [](const OrderedJson& row) {
        EXPECT_EQ(KeysOf(row), row["op"] == "ET" ? (Keys{"op", "seconds", "time"})
                                                 : (Keys{"op", "weekday", "date", "time"}));
    });
}

void ExpectExport(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), Keys{"pairs"});
    ExpectEach(d["pairs"], [](const OrderedJson& pair) {
        EXPECT_EQ(KeysOf(pair), (Keys{"in", "out", "seconds", "hours", "amount"}));
    });
}

void ExpectConfig(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), (Keys{"options", "reminders", "invoices"}));
    EXPECT_EQ(KeysOf(d["options"]), (Keys{"ShowDollars", "DataLog", "Rate", "PeriodType",
                                          "RoundingType", "RoundingUnit", "WeekStartDay"}));
    EXPECT_EQ(KeysOf(d["reminders"]), (Keys{"IdleMinutes", "LongDayHours"}));
    EXPECT_EQ(KeysOf(d["invoices"]), (Keys{"Format", "FirstNumber", "Register", "CreditFormat"}));
}

void ExpectCheck(const OrderedJson& d) {
    EXPECT_EQ(KeysOf(d), (Keys{"log", "exists", "lines", "clean", "findings", "not_listed"}));
    ExpectEach(d["findings"], [](const OrderedJson& finding) {
        EXPECT_EQ(KeysOf(finding), (Keys{"line", "reason", "message", "field", "text", "stops_scan",
                                         "lines_ignored"}));
    });
}

const struct {
    const char* command;
    void (*expect)(const OrderedJson&);
} kCommands[] = {
    {"status", ExpectStatus}, {"days", ExpectDays},     {"log", ExpectLog},
    {"export", ExpectExport}, {"config", ExpectConfig}, {"check", ExpectCheck},
};

class JsonCli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(tally.Run({"config", "PeriodType", "0"}).exitCode, 0); }

    OrderedJson Json(const std::vector<std::string>& args, const std::string& at = kAfterwards) {
        std::vector<std::string> line = args;
        line.push_back("--json");
        const ProcessResult run = tally.Run(line, at);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return ParseJsonOutput(run.out);
    }

    // The --tsv rows of a list command, split into cells.
    std::vector<Keys> TsvRows(const std::string& command) {
        std::vector<Keys> rows;
        std::istringstream lines(tally.Run({command, "--tsv"}, kAfterwards).out);
        for (std::string line; std::getline(lines, line);) {
            Keys cells;
            std::istringstream split(line);
            for (std::string cell; std::getline(split, cell, '\t');) cells.push_back(cell);
            rows.push_back(cells);
        }
        return rows;
    }

    TallyHarness tally;
};

TEST_F(JsonCli, everyCommandPrintsItsDocumentedKeysForEveryKindOfLog) {
    const struct {
        const char* name;
        std::optional<std::string> log;  // none: no log at all
    } kLogs[] = {{"closed pairs", kClosedLog}, {"missing", std::nullopt}, {"clocked in", kOpenLog}};
    for (const auto& log : kLogs) {
        if (log.log) WriteFile(tally.Log(), *log.log);
        for (const auto& command : kCommands) {
            SCOPED_TRACE(std::string(log.name) + ": " + command.command);
            command.expect(Json({command.command}));
        }
        std::filesystem::remove(tally.Log());
    }
}

TEST_F(JsonCli, aMissingLogGivesEmptyListsAndStateOut) {
    const OrderedJson status = Json({"status"});
    EXPECT_EQ(status["state"], "Out");
    EXPECT_EQ(status["log"], tally.Log());
    EXPECT_EQ(status["today"]["seconds"], 0);
    EXPECT_EQ(status["today"]["first"], "");
    for (const char* list : {"days", "log"}) EXPECT_EQ(Json({list})["rows"], OrderedJson::array());
    EXPECT_EQ(Json({"export"})["pairs"], OrderedJson::array());
    EXPECT_EQ(Json({"check"})["exists"], false);
}

TEST_F(JsonCli, statusHoldsTheTotalsBroughtUpToNow) {
    ASSERT_EQ(tally.Run({"config", "Rate", "10"}).exitCode, 0);
    WriteFile(tally.Log(), kOpenLog);
    const OrderedJson in = Json({"status"});
    EXPECT_EQ(in["state"], "In");
    EXPECT_EQ(in["clocked_in_since"], "2004-01-06 14:30:00");
    // Today: the closed hour and the open half hour; the period began on Sunday.
    EXPECT_EQ(in["today"]["seconds"], 5400);
    EXPECT_EQ(in["today"]["time"], "1:30:00");
    EXPECT_EQ(in["today"]["amount"], 15.0);
    EXPECT_EQ(in["period"]["seconds"], 9015 + 5400);
    EXPECT_EQ(in["period"]["time"], "4:00:15");
    // The texts are the boxes' texts, as --tsv prints them.
    const std::string tsv = tally.Run({"status", "--tsv"}, kAfterwards).out;
    const std::string today =
        in["today"]["first"].get<std::string>() + '\t' + in["today"]["second"].get<std::string>();
    EXPECT_NE(tsv.find("\ntoday\t" + today + "\n"), std::string::npos) << tsv;

    // An hour later the open In has run on; closed, it has not.
    EXPECT_EQ(Json({"status"}, "2004-01-06 16:00:00")["today"]["seconds"], 9000);
    WriteFile(tally.Log(), kClosedLog);
    const OrderedJson out = Json({"status"}, "2004-01-06 16:00:00");
    EXPECT_EQ(out["state"], "Out");
    EXPECT_TRUE(out["clocked_in_since"].is_null());
    EXPECT_EQ(out["today"]["seconds"], 3600);
}

TEST_F(JsonCli, listRowsAreTheRowsTheTextPrints) {
    WriteFile(tally.Log(), kOpenLog);
    const OrderedJson days = Json({"days"})["rows"];
    const std::vector<Keys> dayCells = TsvRows("days");
    ASSERT_EQ(days.size(), 3u);
    ASSERT_EQ(dayCells.size(), days.size());
    const std::tuple<const char*, const char*, int> kDays[] = {
        {"day", "2004-01-02", 3600}, {"period", nullptr, 3600}, {"day", "2004-01-05", 9015}};
    for (std::size_t i = 0; i < days.size(); ++i) {
        const auto& [kind, date, seconds] = kDays[i];
        EXPECT_EQ(days[i]["kind"], kind);
        if (date) {
            EXPECT_EQ(days[i]["date"], date);
            EXPECT_EQ(days[i]["weekday"], dayCells[i][0]);
        }
        EXPECT_EQ(days[i]["seconds"], seconds);
        EXPECT_EQ(days[i]["time"], dayCells[i][2]);
    }

    const OrderedJson log = Json({"log"})["rows"];
    const std::vector<Keys> logCells = TsvRows("log");
    ASSERT_EQ(log.size(), 10u);
    ASSERT_EQ(logCells.size(), log.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i]["op"], logCells[i][0]);
        EXPECT_EQ(log[i]["time"], logCells[i][3]);
        if (log[i]["op"] != "ET") {
            EXPECT_EQ(log[i]["weekday"], logCells[i][1]);
        }
    }
    EXPECT_EQ(log[5]["seconds"], 9015);
    EXPECT_EQ(
        log[9],
        OrderedJson(
            {{"op", "In"}, {"weekday", "Tue"}, {"date", "2004-01-06"}, {"time", "14:30:00"}}));
}

TEST_F(JsonCli, exportHoldsThePairsOfTheCsv) {
    ASSERT_EQ(tally.Run({"config", "Rate", "10"}).exitCode, 0);
    WriteFile(tally.Log(), kOpenLog);
    const OrderedJson pairs = Json({"export"})["pairs"];
    ASSERT_EQ(pairs.size(), 3u);  // the open In is no pair
    EXPECT_EQ(pairs[1], OrderedJson({{"in", "2004-01-05 09:00:00"},
                                     {"out", "2004-01-05 11:30:15"},
                                     {"seconds", 9015},
                                     {"hours", 2.5},
                                     {"amount", 25.04}}));
    EXPECT_EQ(Json({"export", "2004-01-05", "2004-01-05"})["pairs"], OrderedJson({pairs[1]}));
}

TEST_F(JsonCli, configHoldsEachValueWithItsType) {
    for (const auto& [key, value] : {std::pair{"ShowDollars", "yes"},
                                     {"Rate", "12.5"},
                                     {"RoundingType", "3"},
                                     {"LongDayHours", "8"}}) {
        ASSERT_EQ(tally.Run({"config", key, value}).exitCode, 0) << key;
    }
    const OrderedJson config = Json({"config"});
    EXPECT_EQ(config["options"]["ShowDollars"], true);
    EXPECT_EQ(config["options"]["DataLog"], tally.Log());
    EXPECT_EQ(config["options"]["Rate"], 12.5);
    EXPECT_EQ(config["options"]["RoundingType"], 3);
    EXPECT_EQ(config["reminders"], OrderedJson({{"IdleMinutes", 10}, {"LongDayHours", 8}}));
}

TEST_F(JsonCli, aLogThatCannotBeReadPrintsNothing) {
    for (const char* command : {"status", "days", "log", "export", "check"}) {
        const ProcessResult run = tally.Run({command, "--json", "--log", tally.Home()});
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_NE(run.err.find(tally.Home()), std::string::npos) << command << run.err;
    }
}

TEST_F(JsonCli, refusesJsonWhereItHasNoMeaning) {
    tally.ExpectUsageError({"days", "--json", "--tsv"}, "--json and --tsv do not go together");
    tally.ExpectUsageError({"export", "--json", "--format", "csv"},
                           "export prints --json or a --format, not both");
    tally.ExpectUsageError({"config", "Rate", "--json"},
                           "config --json lists every key and takes none");
}

}  // namespace
}  // namespace tally::test
