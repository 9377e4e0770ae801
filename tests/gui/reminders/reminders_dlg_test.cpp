// SPDX-License-Identifier: MIT
#include "reminders/reminders_dlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSpinBox>
#include <QWidget>

namespace tally::test {
namespace {

TEST(RemindersDlg, showsAndGivesTheTwoValues) {
    CRemindersDlg dialog(true, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Reminders");
    dialog.SetValues({25, 9});
    EXPECT_EQ(dialog.IdleMinutesBox()->value(), 25);
    EXPECT_EQ(dialog.LongDayHoursBox()->value(), 9);
    dialog.IdleMinutesBox()->setValue(0);
    EXPECT_EQ(dialog.IdleMinutesBox()->text(), "Off");
    EXPECT_EQ(dialog.LongDayHoursBox()->text(), "9 hours");
    EXPECT_EQ(dialog.Values(), (ReminderValues{0, 9}));
    EXPECT_EQ(dialog.NoIdleTimeNote(), nullptr);
}

TEST(RemindersDlg, keepsTheValuesInTheirRanges) {
    CRemindersDlg dialog(true, nullptr);
    dialog.SetValues({5000, 30});
    EXPECT_EQ(dialog.Values(), (ReminderValues{1440, 24}));
    dialog.SetValues({-3, -1});
    EXPECT_EQ(dialog.Values(), (ReminderValues{0, 0}));
}

TEST(RemindersDlg, saysSoWhenThereIsNoIdleTime) {
    CRemindersDlg dialog(false, nullptr);
    ASSERT_NE(dialog.NoIdleTimeNote(), nullptr);
    EXPECT_TRUE(dialog.NoIdleTimeNote()->text().contains(
        "question about time away is off, but for a suspend"));
    dialog.show();
    EXPECT_TRUE(dialog.NoIdleTimeNote()->isVisible());
}

}  // namespace
}  // namespace tally::test
