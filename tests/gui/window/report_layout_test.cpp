// SPDX-License-Identifier: MIT
// The report's pages, decided without a printer: every line once and in order, the list's
// column titles atop each page it continues on, no title left alone at a page's foot, and
// the page numbers.

#include <gtest/gtest.h>

#include "core/tally_engine.h"
#include "log/messages.h"
#include "log_text.h"
#include "report_lines.h"
#include "test_support.h"
#include "window/print/report_layout.h"

namespace tally::test {
namespace {

constexpr int kDays = 400;
constexpr int kHeadingLines = 14;  // title to column titles, as the report of a sound log has

// The report of a log of 400 days, one pair each, as the window would print it.
std::vector<ReportLine> ReportOf400Days() {
    TempDir dir;
    FakeClock clock(At(2005, 2, 8, 9, 0, 0));
    RecordingReporter reporter;
    TallyEngine engine(clock, reporter);
    engine.Settings().DataLog = dir.File("TALLYBK.DAT");
    WriteFile(engine.Settings().DataLog, WorkingDays(2004, 1, 5, kDays));
    engine.ScanTimeLog();
    return BuildReport(kApplicationName, engine, engine.Rows(), clock.Now());
}

bool IsTitle(const std::string& text) {
    return text.starts_with("Heading|") || text.starts_with("Columns|");
}

TEST(ReportLayoutTest, putsEveryLineOnceInOrderWithTheListTitlesAtopEachPage) {
    const std::vector<ReportLine> lines = ReportOf400Days();
    const std::vector<std::string> texts = LineTexts(lines);
    ASSERT_EQ(texts[kHeadingLines - 1], "Columns|Day|Date|Time");
    const std::size_t rows = texts.size() - kHeadingLines;

    struct Case {
        int linesPerPage;
        std::size_t pages;
    };
    // Page 1 holds the heading and then rows; every later page the column titles and rows.
    const auto pagesFor = [rows](std::size_t body) {
        const std::size_t first = body - kHeadingLines;
        return 1 + (rows - first + body - 2) / (body - 1);
    };
    const Case cases[] = {
        {100000, 1},
        {60, pagesFor(58)},
        {20, pagesFor(18)},
        // Too few lines for a page are taken as the fewest that still show a row.
        {0, 0},
        {kMinimumLinesPerPage, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.linesPerPage);
        const std::vector<ReportPage> pages = LayoutReport(lines, c.linesPerPage);
        if (c.pages != 0) {
            EXPECT_EQ(pages.size(), c.pages);
        }
        const std::size_t body =
            static_cast<std::size_t>(std::max(c.linesPerPage, kMinimumLinesPerPage) - kFooterLines);

        std::vector<std::string> read;
        bool listBegun = false;
        for (std::size_t n = 0; n < pages.size(); ++n) {
            const std::vector<std::string> page = LineTexts(pages[n].lines);
            EXPECT_EQ(pages[n].footer,
                      "Page " + std::to_string(n + 1) + " of " + std::to_string(pages.size()));
            ASSERT_FALSE(page.empty()) << "page " << n + 1;
            EXPECT_LE(page.size(), body) << "page " << n + 1;
            EXPECT_NE(page.front(), "Blank") << "page " << n + 1;
            if (n + 1 < pages.size()) {
                EXPECT_FALSE(IsTitle(page.back())) << "page " << n + 1;
            }
            auto from = page.begin();
            if (listBegun) {
                EXPECT_EQ(page.front(), "Columns|Day|Date|Time") << "page " << n + 1;
                ++from;
            }
            read.insert(read.end(), from, page.end());
            listBegun |= std::find(page.begin(), page.end(), "Columns|Day|Date|Time") != page.end();
        }
        // A blank line that would open a page is left out; every other line is there.
        std::vector<std::string> expected = texts;
        std::erase(expected, "Blank");
        std::erase(read, "Blank");
        EXPECT_EQ(read, expected);
    }
}

TEST(ReportLayoutTest, movesATitleToTheNextPageWithTheLineItIntroduces) {
    const auto line = [](ReportLineKind kind, const char* text) {
        ReportLine l;
        l.kind = kind;
        l.cells = {text, text, text};
        return l;
    };
    const int linesPerPage = 8;  // 6 lines of body
    std::vector<ReportLine> lines;
    for (const char* text : {"a", "b", "c", "d"}) lines.push_back(line(ReportLineKind::Text, text));
    lines.push_back(line(ReportLineKind::Heading, "List"));
    lines.push_back(line(ReportLineKind::ColumnTitles, "T"));
    lines.push_back(line(ReportLineKind::Day, "1"));
    lines.push_back(line(ReportLineKind::Day, "2"));

    const std::vector<ReportPage> pages = LayoutReport(lines, linesPerPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(LineTexts(pages[0].lines),
              (std::vector<std::string>{"Text|a", "Text|b", "Text|c", "Text|d"}));
    EXPECT_EQ(LineTexts(pages[1].lines), (std::vector<std::string>{"Heading|List", "Columns|T|T|T",
                                                                   "Day|1|1|1", "Day|2|2|2"}));
    EXPECT_EQ(pages[1].footer, "Page 2 of 2");
}

TEST(ReportLayoutTest, countsTheLinesOfAFontThatFitOnAPage) {
    EXPECT_EQ(LinesPerPage(1000, 30), 33);
    EXPECT_EQ(LinesPerPage(990, 30), 33);
    EXPECT_EQ(LinesPerPage(989, 30), 32);
    EXPECT_EQ(LinesPerPage(1000, 0), 0);
}

}  // namespace
}  // namespace tally::test
