// SPDX-License-Identifier: MIT
// Print and Print Preview of the window, and the start-up switches --print and --print-to:
// the report of the log the window shows, on as many pages as its layout gives, the same in
// the preview and on paper; bad targets refused before anything is written.

#include <sys/stat.h>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include "basics/command_ids.h"
#include "folder_snapshot.h"
#include "log_text.h"
#include "process.h"
#include "report_lines.h"
#include "window/print/report_layout.h"
#include "window/print/report_painter.h"
#include "window_harness.h"

namespace tally::test {
namespace {

constexpr int kDays = 400;

// "Jan 05, 2004": each day of the log as the list writes its date.
std::vector<std::string> DatesOfTheLog() {
    std::vector<std::string> dates;
    for (int day = 0; day < kDays; ++day) {
        const std::tm local = ToLocalTm(At(2004, 1, 5 + day, 12, 0, 0));
        char text[32] = {};
        std::strftime(text, sizeof text, "%b %d, %Y", &local);
        dates.push_back(text);
    }
    return dates;
}

std::string Joined(const std::vector<std::string>& pages) {
    std::string all;
    for (const std::string& page : pages) all += page;
    return all;
}

class ReportPrintTest : public testing::Test {
  protected:
    void SetUp() override {
        w.WriteLog(WorkingDays(2004, 1, 5, kDays));
        w.clock.SetLocal(2005, 2, 8, 9, 0, 0);
        ASSERT_TRUE(w.Start());
    }
    // The pages the report takes on a printer as the program makes it.
    std::size_t PagesOn(QPrinter& printer) {
        UseReportMargins(printer);
        return LayoutReport(w.View().Report(), ReportLinesPerPage(printer)).size();
    }
    QString Pdf() const { return QString::fromStdString(w.dir.File("report.pdf")); }

    WindowHarness w;
};

TEST_F(ReportPrintTest, reportsTheRowsAndTotalsTheWindowShows) {
    const std::vector<ReportLine> report = w.View().Report();
    std::vector<std::string> rows;
    for (const ReportLine& line : report) {
        if (line.kind == ReportLineKind::Day || line.kind == ReportLineKind::Separator) {
            rows.push_back(line.cells[0] + "|" + line.cells[1] + "|" + line.cells[2]);
        }
    }
    const int shown = WindowHarness::RowCount(w.View().DailyList());
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(shown) + 2);
    for (int row = 0; row < shown; ++row) {
        EXPECT_EQ(rows[static_cast<std::size_t>(row)], w.DailyRow(row).join('|').toStdString());
    }
    EXPECT_EQ(rows[rows.size() - 2], "Mon|Feb 07, 2005|08:00:00");
    EXPECT_EQ(rows.back(), "|----------|56:00:00");
    const std::vector<std::string> texts = LineTexts(report);
    for (const char* box : {"TodayFirst", "TodaySecond", "PeriodFirst", "PeriodSecond"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Text|" + w.Text(box).toStdString()),
                  texts.end())
            << box;
    }
}

TEST_F(ReportPrintTest, previewsAndPrintsTheSamePagesWithEveryDayAndThePageNumbers) {
    QPrinter printer;
    const std::size_t pages = PagesOn(printer);
    ASSERT_GT(pages, 5u);
    w.Trigger(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(w.dialogs.previewPages, static_cast<int>(pages));

    w.dialogs.printToFile = Pdf();
    w.Trigger(ID_FILE_PRINT);
    EXPECT_TRUE(w.reporter.messages.empty());
    const std::vector<std::string> printed = PdfPageTexts(Pdf().toStdString());
    ASSERT_EQ(printed.size(), pages);
    for (std::size_t n = 0; n < pages; ++n) {
        const std::string footer = "Page " + std::to_string(n + 1) + " of " + std::to_string(pages);
        EXPECT_NE(printed[n].find(footer), std::string::npos) << printed[n];
        EXPECT_NE(printed[n].find(n == 0 ? "Daily Elapsed Time" : "Day"), std::string::npos);
        EXPECT_NE(printed[n].find(", 200"), std::string::npos) << "rows on page " << n + 1;
    }
    for (const std::string& text :
         {std::string("Quillfen's TallyBook"), "Time log: " + w.LogPath(),
          std::string("Printed: Tue Feb 08, 2005 09:00"), w.Text("TodaySecond").toStdString(),
          w.Text("PeriodSecond").toStdString()}) {
        EXPECT_NE(printed.front().find(text), std::string::npos) << text;
    }
    const std::string all = Joined(printed);
    for (const std::string& date : DatesOfTheLog()) {
        EXPECT_NE(all.find(date), std::string::npos) << date;
    }
    EXPECT_NE(printed.back().find("Feb 07, 2005"), std::string::npos);
    EXPECT_NE(printed.back().find("56:00:00"), std::string::npos);
}

TEST_F(ReportPrintTest, laysOutThePagesThatPrintSetupChose) {
    w.dialogs.pageSetup = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
    };
    w.Trigger(ID_FILE_PRINT_SETUP);
    QPrinter portrait;
    QPrinter landscape;
    landscape.setPageOrientation(QPageLayout::Landscape);
    ASSERT_GT(PagesOn(landscape), PagesOn(portrait));
    w.Trigger(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(w.dialogs.previewPages, static_cast<int>(PagesOn(landscape)));
}

TEST_F(ReportPrintTest, refusesAReadOnlyFileAndSaysSo) {
    WriteFile(Pdf().toStdString(), "kept");
    ASSERT_EQ(chmod(Pdf().toStdString().c_str(), 0444), 0);
    w.dialogs.printToFile = Pdf();
    w.Trigger(ID_FILE_PRINT);
    ASSERT_EQ(w.reporter.messages.size(), 1u);
    EXPECT_EQ(w.reporter.messages[0].text,
              "Cannot print to " + Pdf().toStdString() + ": the file is read-only.");
    EXPECT_EQ(ReadFile(Pdf().toStdString()), "kept");
}

// tallybook run as a separate program, in a home of its own.
class PrintSwitchTest : public testing::Test {
  protected:
    PrintSwitchTest() {
        std::filesystem::create_directories(home.File("out"));
        WriteFile(log, Crlf(WorkingDays(2004, 1, 5, kDays)));
    }
    // wrapper: a command line that runs the program given after it (e.g. under a ulimit).
    ProcessResult Run(const std::vector<std::string>& arguments,
                      std::vector<std::string> wrapper = {}) {
        std::vector<std::string> argv = std::move(wrapper);
        argv.push_back(TALLYBOOK_PATH);
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        ProcessOptions options;
        options.env = {{"QT_QPA_PLATFORM", "offscreen"},
                       {"HOME", home.Path().string()},
                       {"XDG_CONFIG_HOME", home.File("config")}};
        return RunProcess(argv, options);
    }

    TempDir home;
    std::string log = home.File("TALLYBK.DAT");
    std::string pdf = home.File("out/report.pdf");
};

TEST_F(PrintSwitchTest, printsEveryDayOfTheLogIntoAPdf) {
    const ProcessResult run = Run({"--print-to", pdf, log});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::vector<std::string> pages = PdfPageTexts(pdf);
    ASSERT_GT(pages.size(), 5u);
    const std::string all = Joined(pages);
    for (const std::string& date : DatesOfTheLog()) {
        EXPECT_NE(all.find(date), std::string::npos) << date;
    }
    EXPECT_NE(pages.back().find("Page " + std::to_string(pages.size()) + " of " +
                                std::to_string(pages.size())),
              std::string::npos);
}

TEST_F(PrintSwitchTest, printsTheLogTheOptionsNameWhenNoneIsGiven) {
    const ProcessResult run = Run({"--print-to=" + pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(Joined(PdfPageTexts(pdf)).find("Time log: " + log), std::string::npos);
}

TEST_F(PrintSwitchTest, refusesBadInputWritingNothing) {
    WriteFile(home.File("out/read-only.pdf"), "kept");
    ASSERT_EQ(chmod(home.File("out/read-only.pdf").c_str(), 0444), 0);
    const std::string missingFolder = home.File("nowhere/report.pdf");
    const std::string backup = home.File("TALLYBK.da0");
    const std::string letter = home.File("letter.pdf");
    const std::string dangling = home.File("dangling.pdf");
    WriteFile(backup, "generation 0");
    WriteFile(letter, "Dear Sir,");
    std::filesystem::create_symlink(home.File("gone.pdf"), dangling);
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string named;  // the path the message names, and what it says where that matters
    };
    const Case cases[] = {
        {{"--print-to", missingFolder, log}, 1, home.File("nowhere")},
        {{"--print-to", home.File("out/read-only.pdf"), log}, 1, home.File("out/read-only.pdf")},
        {{"--print-to", home.File("out"), log}, 1, home.File("out")},
        {{"--print-to", pdf, home.File("no-such.log")}, 1, home.File("no-such.log")},
        {{"--print-to", pdf, log, log}, 2, log},
        {{"--print", "--print-to", pdf}, 2, "--print-to"},
        {{"--print-to", log}, 1, log + ": it is the time log " + log},
        {{"--print-to", log, log}, 1, log + ": it is the time log " + log},
        {{"--print-to", backup, log}, 1, backup + ": it is a backup of the time log " + log},
        {{"--print-to", letter, log}, 1, letter + ": the file is not a PDF"},
        {{"--print-to", dangling, log}, 1, dangling + ": it is a link to " + home.File("gone.pdf")},
    };
    const FolderSnapshot before = SnapshotFolder(home.Path());
    for (const Case& c : cases) {
        const ProcessResult run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[1];
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(SnapshotFolder(home.Path()), before) << c.arguments[1];
        EXPECT_EQ(CountHiddenFiles(home.Path()), 0) << c.arguments[1];
        EXPECT_FALSE(std::filesystem::exists(home.File("out/report.pdf")));
    }
}

// The new PDF takes the old one's place in one rename: through a link the link stays, and a
// printout that fails half-way (here at a file-size limit) leaves the old PDF whole.
TEST_F(PrintSwitchTest, replacesAPdfOnlyWithACompleteOne) {
    ASSERT_EQ(Run({"--print-to", pdf, log}).exitCode, 0);
    const std::string link = home.File("out/latest.pdf");
    std::filesystem::create_symlink(pdf, link);
    WriteFile(log, Crlf(WorkingDays(2004, 1, 5, 3)));
    const FolderSnapshot before = SnapshotFolder(home.File("out"));
    const ProcessResult cut =
        Run({"--print-to", link, log}, {"sh", "-c", "ulimit -f 8 && exec \"$@\"", "sh"});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find("tallybook: The report was not written completely to " + link),
              std::string::npos)
        << cut.err;
    EXPECT_EQ(SnapshotFolder(home.File("out")), before);
    EXPECT_EQ(CountHiddenFiles(home.File("out")), 0);

    ASSERT_EQ(Run({"--print-to", link, log}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(PdfPageTexts(pdf).size(), 1u);
    EXPECT_EQ(CountHiddenFiles(home.File("out")), 0);
}

TEST_F(PrintSwitchTest, saysThatNoPrinterIsThere) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer would print";
    const ProcessResult run = Run({"--print", log});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no default printer"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tally::test
