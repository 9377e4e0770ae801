// SPDX-License-Identifier: MIT
// The widths of the list columns, from the list's client width and the cursor width.

#include <QHeaderView>

#include "basics/command_ids.h"
#include "window/column_widths.h"
#include "window_harness.h"

namespace tally::test {
namespace {

std::vector<int> Widths(const QTreeView* list) {
    std::vector<int> widths;
    for (int column = 0; column < list->model()->columnCount(); ++column) {
        widths.push_back(list->columnWidth(column));
    }
    return widths;
}

TEST(ColumnWidthsTest, dividesAClientWidthOf300WithA32PixelCursor) {
    EXPECT_EQ(DailyColumnWidths(300, 32), (std::array<int, 3>{66, 132, 87}));
    EXPECT_EQ(RawColumnWidths(300, 32), (std::array<int, 4>{32, 48, 112, 92}));
}

TEST(ColumnWidthsTest, truncatesEachUnitTowardsZero) {
    // w = 15: u = 1, u / 2 = 0; v = 0.
    EXPECT_EQ(DailyColumnWidths(47, 32), (std::array<int, 3>{2, 4, 10}));
    EXPECT_EQ(RawColumnWidths(47, 32), (std::array<int, 4>{0, 0, 0, 15}));
}

TEST(ColumnWidthsTest, givesTheFormsListsTheirWidthsAndFileNewKeepsThem) {
    WindowHarness w;
    ASSERT_TRUE(w.Start());
    QTreeView* daily = w.View().DailyList();
    QTreeView* raw = w.View().RawList();
    const auto expectedDaily = DailyColumnWidths(daily->maximumViewportSize().width(), 32);
    const auto expectedRaw = RawColumnWidths(raw->maximumViewportSize().width(), 32);
    EXPECT_EQ(Widths(daily), std::vector<int>(expectedDaily.begin(), expectedDaily.end()));
    EXPECT_EQ(Widths(raw), std::vector<int>(expectedRaw.begin(), expectedRaw.end()));
    EXPECT_EQ(daily->model()->headerData(1, Qt::Horizontal).toString(), "Date");
    EXPECT_EQ(raw->model()->headerData(0, Qt::Horizontal).toString(), "Op");

    const int userWidth = expectedDaily[0] + 25;
    daily->header()->resizeSection(0, userWidth);
    w.Trigger(ID_FILE_NEW);
    EXPECT_EQ(daily->columnWidth(0), userWidth) << "a later initial update leaves the columns";
    EXPECT_EQ(daily->columnWidth(1), expectedDaily[1]);
}

}  // namespace
}  // namespace tally::test
