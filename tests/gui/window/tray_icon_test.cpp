// SPDX-License-Identifier: MIT
#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "basics/command_ids.h"
#include "window_harness.h"

namespace tally::test {
namespace {

class TrayIconTest : public ::testing::Test {
  protected:
    QStringList MenuTexts() {
        QStringList texts;
        for (QAction* action : w.App().Tray()->Menu().actions()) {
            texts << (action->isSeparator() ? "-" : action->text());
        }
        return texts;
    }
    QAction* MenuItem(const QString& text) {
        for (QAction* action : w.App().Tray()->Menu().actions()) {
            if (action->text() == text) return action;
        }
        ADD_FAILURE() << "no menu item " << text.toStdString();
        return nullptr;
    }

    WindowHarness w;
};

TEST_F(TrayIconTest, theMenuHasInOutShowHideAndExit) {
    ASSERT_TRUE(w.Start());
    ASSERT_NE(w.App().Tray(), nullptr);
    EXPECT_EQ(MenuTexts(), (QStringList{"&In", "&Out", "-", "&Show/Hide TallyBook", "-", "E&xit"}));
    // The window's own commands, not copies of them.
    EXPECT_EQ(MenuItem("&In"), w.Frame().Action(ID_CLOCK_IN));
    EXPECT_EQ(MenuItem("E&xit"), w.Frame().Action(ID_APP_EXIT));
}

TEST_F(TrayIconTest, inAndOutPunchAndTheToolTipAndIconFollow) {
    ASSERT_TRUE(w.Start());  // 2024-03-04 09:00:00
    QSystemTrayIcon& tray = w.App().Tray()->Icon();
    EXPECT_EQ(tray.toolTip(), "Clocked out\nTime Today: \nTime This Billing Period: ");
    const QImage outIcon = tray.icon().pixmap(32, 32).toImage();

    MenuItem("&In")->trigger();
    EXPECT_EQ(w.ReadLog(), Crlf("In...Mon Mar 04 09:00:00 2024\n"));
    w.Tick(90 * 60);
    EXPECT_EQ(tray.toolTip(), "Clocked in\nTime Today: 1:30:00\nTime This Billing Period: 1:30:00");
    const QImage inIcon = tray.icon().pixmap(32, 32).toImage();
    EXPECT_NE(inIcon, outIcon);
    EXPECT_EQ(inIcon, TrayIcon::StateIcon(true).pixmap(32, 32).toImage());

    MenuItem("&Out")->trigger();
    EXPECT_EQ(w.ReadLog(), Crlf("In...Mon Mar 04 09:00:00 2024\n"
                                "Out..Mon Mar 04 10:30:00 2024\n"
                                "Elapsed time of 01:30:00.\n"));
    EXPECT_EQ(tray.toolTip(),
              "Clocked out\nTime Today: 1:30:00\nTime This Billing Period: 1:30:00");
    EXPECT_EQ(tray.icon().pixmap(32, 32).toImage(), outIcon);
}

TEST_F(TrayIconTest, showHideAndAClickShowTheWindow) {
    ASSERT_TRUE(w.Start());
    ASSERT_TRUE(w.Frame().isVisible());
    MenuItem("&Show/Hide TallyBook")->trigger();
    EXPECT_FALSE(w.Frame().isVisible());
    MenuItem("&Show/Hide TallyBook")->trigger();
    EXPECT_TRUE(w.Frame().isVisible());

    w.Frame().hide();
    emit w.App().Tray()->Icon().activated(QSystemTrayIcon::Context);  // the menu, nothing else
    EXPECT_FALSE(w.Frame().isVisible());
    emit w.App().Tray()->Icon().activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(w.Frame().isVisible());
}

}  // namespace
}  // namespace tally::test
