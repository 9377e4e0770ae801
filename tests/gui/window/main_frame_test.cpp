// SPDX-License-Identifier: MIT
// The main frame: its menu, toolbar, prompts and keys, its fixed size around the form,
// and the window position kept in the settings.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "basics/command_ids.h"
#include "window/position_check.h"
#include "window_harness.h"

namespace tally::test {
namespace {

// "text|shortcut" per item, "-" for a separator, "[text]" for a menu bar item.
QStringList MenuBarLayout(const QMenuBar* bar) {
    QStringList items;
    for (QAction* top : bar->actions()) {
        if (top->menu() == nullptr) {
            items << "[" + top->text() + "]";
            continue;
        }
        items << top->text();
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator()) {
                items << "-";
            } else if (item->isVisible()) {
                items << "  " + item->text() + "|" + item->shortcut().toString();
            }
        }
    }
    return items;
}

class MainFrameTest : public testing::Test {
  protected:
    WindowHarness w;
};

TEST_F(MainFrameTest, hasTheMenuWithItsMnemonicsAndShortcuts) {
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(MenuBarLayout(w.Frame().menuBar()), (QStringList{"&File",
                                                               "  &New|Ctrl+N",
                                                               "  &Open...|Ctrl+O",
                                                               "  &Save|Ctrl+S",
                                                               "  Save &As...|",
                                                               "  &Merge Copy...|",
                                                               "-",
                                                               "  &Print...|Ctrl+P",
                                                               "  Print Pre&view|",
                                                               "  P&rint Setup...|",
                                                               "-",
                                                               "  Recent File|",
                                                               "-",
                                                               "  E&xit|",
                                                               "&Edit",
                                                               "  &Options|",
                                                               "  &Reminders...|",
                                                               "  &Clients...|",
                                                               "  Clock Out &At...|",
                                                               "  Edit Raw Data|",
                                                               "-",
                                                               "&View",
                                                               "  &Toolbar|",
                                                               "  &Status Bar|",
                                                               "-",
                                                               "  Hours &Chart|",
                                                               "  &Invoices|",
                                                               "[&In]",
                                                               "[&Out]",
                                                               "[Invoi&ce]",
                                                               "&Help",
                                                               "  &About QFTB...|"}));
    EXPECT_FALSE(w.Frame().Action(ID_FILE_MRU_FILE1)->isEnabled());
}

TEST_F(MainFrameTest, splitsEachPromptIntoStatusTipAndToolTip) {
    ASSERT_TRUE(w.Start());
    QAction* options = w.Frame().Action(ID_OPTIONS);
    EXPECT_EQ(options->statusTip(), "Set the program options");
    EXPECT_EQ(options->toolTip(), "Program Options");
    EXPECT_EQ(w.Frame().Action(ID_CLOCK_OUT)->statusTip(), "Clocks Out");
    EXPECT_EQ(w.Frame().Action(ID_INVOICE)->statusTip(), "Generate an invoice");
    EXPECT_EQ(w.Frame().Action(ID_FILE_NEW)->statusTip(), "Create a new document");
    EXPECT_EQ(w.Frame().Action(ID_FILE_NEW)->toolTip(), "New");
    EXPECT_EQ(w.Frame().Action(ID_VIEW_TOOLBAR)->toolTip(), "Toggle ToolBar");
}

TEST_F(MainFrameTest, hasEightToolbarItemsWithGenerateInvoiceAlwaysDisabled) {
    ASSERT_TRUE(w.Start());
    QStringList items;
    for (QAction* action : w.Frame().ToolBar()->actions()) {
        items << (action->isSeparator() ? "-" : action->toolTip());
        if (!action->isSeparator()) {
            EXPECT_EQ(action->icon().actualSize(QSize(64, 64)), QSize(16, 15))
                << action->toolTip().toStdString();
        }
    }
    EXPECT_EQ(items, (QStringList{"New", "Open", "Save", "-", "Program Options", "Edit Raw Data",
                                  "Generate Invoice", "About"}));
    EXPECT_FALSE(w.Frame().Action(ID_GENERATE_INVOICE)->isEnabled());
    w.Trigger(ID_FILE_NEW);
    EXPECT_FALSE(w.Frame().Action(ID_GENERATE_INVOICE)->isEnabled());
}

TEST_F(MainFrameTest, copiesNothingWithCtrlCInAList) {
    w.WriteLog("In...Mon Mar 04 09:00:00 2024\n");
    ASSERT_TRUE(w.Start());
    QApplication::clipboard()->setText("before");
    QTreeView* list = w.View().RawList();
    list->setCurrentIndex(list->model()->index(0, 0));
    QApplication::setActiveWindow(&w.Frame());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
}

TEST_F(MainFrameTest, fitsTheWindowAroundTheFormAndKeepsItsSize) {
    ASSERT_TRUE(w.Start());
    CMainFrame& frame = w.Frame();
    EXPECT_EQ(w.View().size(), w.View().sizeHint());
    EXPECT_EQ(frame.minimumSize(), frame.maximumSize()) << "the user cannot resize it";
    const int withBars = frame.height();

    frame.Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
    EXPECT_LT(frame.height(), withBars);
    EXPECT_EQ(w.View().size(), w.View().sizeHint());
    frame.Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_EQ(frame.height(), withBars);
}

TEST_F(MainFrameTest, movesAWindowStoredOffTheScreenBackOntoIt) {
    ASSERT_TRUE(w.Start());  // nothing stored: (-1, -1)
    EXPECT_EQ(w.Frame().pos(), QPoint(0, 0));

    WindowHarness far;
    far.store->WriteWindowPosition({100000, 50});
    ASSERT_TRUE(far.Start());
    const ScreenMetrics metrics = PlatformScreenMetrics(&far.Frame());
    EXPECT_EQ(far.Frame().pos(), QPoint(metrics.screen.width() - 2 * metrics.scrollBarHeight, 50));
}

TEST_F(MainFrameTest, storesThePositionOnCloseAndOpensThereNextTime) {
    w.store->WriteWindowPosition({40, 30});
    ASSERT_TRUE(w.Start());
    EXPECT_EQ(w.Frame().pos(), QPoint(40, 30));
    w.Frame().move(70, 60);
    w.Trigger(ID_APP_EXIT);
    EXPECT_FALSE(w.Frame().isVisible());
    const WindowPosition stored = w.store->ReadWindowPosition();
    EXPECT_EQ(QPoint(stored.x, stored.y), QPoint(70, 60));

    WindowHarness next;
    next.store = std::make_unique<SettingsStore>(w.IniPath());
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(next.Frame().pos(), QPoint(70, 60));
}

TEST(PositionCheckTest, pullsEachEdgeBackOnlyWhenItLiesOutside) {
    const ScreenMetrics metrics{QSize(1024, 768), 17, 20};
    const struct {
        QPoint in;
        QPoint out;
        bool moved;
    } cases[] = {
        {{-1, -1}, {0, 0}, true},        {{5, -3}, {5, 0}, true},
        {{2000, 100}, {990, 100}, true}, {{100, 900}, {100, 728}, true},
        {{990, 728}, {990, 728}, false}, {{0, 0}, {0, 0}, false},
    };
    for (const auto& c : cases) {
        const PositionCheck check = CheckWindowPosition(c.in, metrics);
        EXPECT_EQ(check.topLeft, c.out) << c.in.x() << "," << c.in.y();
        EXPECT_EQ(check.moved, c.moved) << c.in.x() << "," << c.in.y();
    }
}

}  // namespace
}  // namespace tally::test
