// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "tally_harness.h"

namespace tally::test {
namespace {

class TallyCli : public ::testing::Test {
  protected:
    TallyHarness tally;
};

TEST_F(TallyCli, aNewUserPunchesInAndOut) {
    const ProcessResult in = tally.Run({"in"}, "2026-12-07 09:00:00");
    EXPECT_EQ(in.exitCode, 0) << in.err;
    EXPECT_EQ(in.err, "");
    EXPECT_EQ(in.out,
              "State:                    In\n"
              "Time Today:               0:00:00\n"
              "                          0:00:00/1 = 0:00:00\n"
              "Time This Billing Period: 0:00:00\n"
              "                          0:00:00/1 = 0:00:00\n");
    EXPECT_EQ(ReadFile(tally.Log()), "In...Mon Dec 07 09:00:00 2026\r\n");

    // Brought up to now, as the window's first tick would.
    const ProcessResult running = tally.Run({"status", "--tsv"}, "2026-12-07 10:15:00");
    EXPECT_EQ(running.out,
              "state\tIn\ntoday\t1:15:00\t1:15:00/1 = 1:15:00\nperiod\t1:15:00\t1:15:00/1 = "
              "1:15:00\n");

    const ProcessResult out = tally.Run({"out", "--tsv"}, "2026-12-07 12:30:00");
    EXPECT_EQ(out.exitCode, 0) << out.err;
    EXPECT_EQ(out.out,
              "state\tOut\ntoday\t3:30:00\t3:30:00/1 = 3:30:00\nperiod\t3:30:00\t3:30:00/1 = "
              "3:30:00\n");

    tally.Run({"in"}, "2026-12-08 22:30:00");
    tally.Run({"out"}, "2026-12-09 01:15:20");
    EXPECT_EQ(tally.Run({"log", "--tsv"}).out,
              "In\tMon\tDec 07, 2026\t09:00:00\n"
              "Out\tMon\tDec 07, 2026\t12:30:00\n"
              "ET\t\t----------\t03:30:00\n"
              "In\tTue\tDec 08, 2026\t22:30:00\n"
              "Out\tTue\tDec 08, 2026\t23:59:59\n"
              "ET\t\t----------\t01:29:59\n"
              "In\tWed\tDec 09, 2026\t00:00:00\n"
              "Out\tWed\tDec 09, 2026\t01:15:20\n"
              "ET\t\t----------\t01:15:20\n");
    EXPECT_EQ(tally.Run({"days", "--tsv"}).out,
              "Mon\tDec 07, 2026\t03:30:00\n"
              "Tue\tDec 08, 2026\t01:29:59\n");
    EXPECT_EQ(tally.Run({"days"}).out,
              "Day  Date          Time\n"
              "Mon  Dec 07, 2026  03:30:00\n"
              "Tue  Dec 08, 2026  01:29:59\n");
    EXPECT_EQ(tally.Run({"status"}).out,
              "State:                    Out\n"
              "Time Today:               1:15:20\n"
              "                          6:15:19/3 = 2:05:06\n"
              "Time This Billing Period: 6:15:19\n"
              "                          6:15:19/1 = 6:15:19\n");
}

TEST_F(TallyCli, aRefusedPunchPrintsItsMessageAndFails) {
    const ProcessResult out = tally.Run({"out"}, "2026-12-07 09:00:00");
    EXPECT_EQ(out.exitCode, 1);
    EXPECT_EQ(out.out, "");
    EXPECT_EQ(out.err, "ERROR! No " + tally.Log() + " exists. Aborting operation.\n");

    tally.Run({"in"}, "2026-12-07 09:00:00");
    const ProcessResult again = tally.Run({"in"}, "2026-12-07 09:05:00");
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "ERROR! Last " + tally.Log() +
                             " string is not an 'Elapsed...' Can't append an 'In...' string.\n");
    EXPECT_EQ(ReadFile(tally.Log()), "In...Mon Dec 07 09:00:00 2026\r\n");
}

TEST_F(TallyCli, aMissingLogShowsNothing) {
    EXPECT_EQ(tally.Run({"--tsv"}).out, "state\tOut\ntoday\t\t\nperiod\t\t\n");
    for (const char* command : {"days", "log"}) {
        const ProcessResult r = tally.Run({command});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(TallyCli, aTruncatedLogIsReadUpToItsLastWholeRecord) {
    WriteFile(tally.Log(), Crlf("In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 12:30:00 2004\n"
                                "Elapsed time of 03:30:00.\nIn...Tue Jan 06 08:00:00 2004\n"
                                "Out..Tue Jan 06 10:00:00 2004\nElapsed time of 02:00:00.\n"
                                "In...Wed Jan 07 08:0"));
    EXPECT_EQ(tally.Run({"days", "--tsv"}).out, "Mon\tJan 05, 2004\t03:30:00\n");
    EXPECT_EQ(tally.Run({"status", "--tsv"}).out,
              "state\tOut\ntoday\t2:00:00\t5:30:00/2 = 2:45:00\nperiod\t5:30:00\t5:30:00/1 = "
              "5:30:00\n");
}

TEST_F(TallyCli, controlCharactersInCellsBecomeBlanks) {
    WriteFile(tally.Log(), "In...M\to Jan 05 09:00:00 2004\r\n");
    EXPECT_EQ(tally.Run({"log", "--tsv"}).out, "In\tM o\tJan 05, 2004\t09:00:00\n");
}

TEST_F(TallyCli, optionsComeFromTheSharedStore) {
    // A week start config refuses, as another program may have written it.
    std::filesystem::create_directories(std::filesystem::path(tally.StoreFile()).parent_path());
    WriteFile(tally.StoreFile(), "[Options]\nWeekStartDay=9\n");
    EXPECT_EQ(tally.Run({"config", "ShowDollars", "yes"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"config", "Rate", "20"}).exitCode, 0);
    EXPECT_EQ(tally.Run({"config", "DataLog", "work.dat"}).exitCode, 0);
    const ProcessResult shown = tally.Run({"config"});
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; (next = shown.out.find('\n', at)) != std::string::npos;
         at = next + 1) {
        lines.push_back(shown.out.substr(at, next - at));
    }
    // The seven options, the two reminders, the four invoice settings.
    ASSERT_EQ(lines.size(), 13u) << shown.out;
    EXPECT_EQ(lines[0], "ShowDollars\t1");
    EXPECT_EQ(lines[1].rfind("DataLog\t/", 0), 0u);
    EXPECT_EQ(lines[2], "Rate\t20");
    EXPECT_EQ(lines[3], "PeriodType\t1");
    EXPECT_EQ(lines[4], "RoundingType\t0");
    EXPECT_EQ(lines[5], "RoundingUnit\t0");
    EXPECT_EQ(lines[6], "WeekStartDay\t0");
    EXPECT_EQ(tally.Run({"config", "WeekStartDay"}).out, "0\n");  // mended by the load
    const std::string dataLog = tally.Run({"config", "DataLog"}).out;
    EXPECT_EQ(dataLog.front(), '/');
    EXPECT_EQ(dataLog.substr(dataLog.size() - 10), "/work.dat\n");

    // --log wins over the stored path and is not stored.
    WriteFile(tally.Log(), Crlf("In...Mon Jan 05 09:00:00 2004\nOut..Mon Jan 05 10:30:00 2004\n"
                                "Elapsed time of 01:30:00.\n"));
    const ProcessResult status = tally.Run({"--log", tally.Log(), "--tsv"});
    EXPECT_EQ(status.out,
              "state\tOut\ntoday\t1:30:00 (30.00)\t1:30:00/1 = 1:30:00 (30.00)\n"
              "period\t1:30:00 (30.00)\t1:30:00/1 = 1:30:00 (30.00)\n");
    EXPECT_EQ(tally.Run({"config", "DataLog"}).out, dataLog);
}

TEST_F(TallyCli, usageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"frobnicate"},
                                               {"--frobnicate"},
                                               {"status", "--log"},
                                               {"in", "now"},
                                               {"config", "Colour"},
                                               {"config", "RoundingUnit", "15m"},
                                               {"config", "ShowDollars", "maybe"}}) {
        tally.ExpectUsageError(args);
    }
    EXPECT_EQ(tally.Run({"config", "Colour"}).err,
              "tally: unknown key 'Colour' (keys: ShowDollars, DataLog, Rate, PeriodType, "
              "RoundingType, RoundingUnit, WeekStartDay, IdleMinutes, LongDayHours, "
              "Invoices.Format, Invoices.FirstNumber, Invoices.Register, Invoices.CreditFormat)\n"
              "Try 'tally --help' for more information.\n");
}

TEST_F(TallyCli, helpAndVersion) {
    const ProcessResult help = tally.Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: tally [OPTIONS] [COMMAND [ARGS]]"), std::string::npos);
    const ProcessResult version = tally.Run({"--version"});
    EXPECT_EQ(version.out, "tally 2.2.0.1\n");
}

}  // namespace
}  // namespace tally::test
