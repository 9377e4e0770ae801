// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>

#include "basics/command_ids.h"
#include "fake_reminder_services.h"
#include "reminders/reminders_dlg.h"
#include "settings/reminder_settings.h"
#include "window_harness.h"

namespace tally::test {
namespace {

class RemindersWindow : public ::testing::Test {
  protected:
    RemindersWindow() { w.reminders = &services; }

    FakeIdleSource idle;
    RecordingNotifier notifier;
    ReminderServices services{&idle, notifier};
    WindowHarness w;
};

TEST_F(RemindersWindow, theEditMenuItemOpensTheDialogOnTheStoredValues) {
    WriteReminders(w.store->Raw(), {25, 9});
    ASSERT_TRUE(w.Start());
    QAction* item = w.Frame().Action(ID_REMINDERS);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "&Reminders...");
    EXPECT_EQ(item->statusTip(), "Set when to be reminded of time away and of a long day");
    WhenModal<CRemindersDlg>([](CRemindersDlg* dialog) {
        EXPECT_EQ(dialog->Values(), (ReminderValues{25, 9}));
        EXPECT_EQ(dialog->NoIdleTimeNote(), nullptr);
        dialog->IdleMinutesBox()->setValue(1);
        dialog->accept();
    });
    w.Trigger(ID_REMINDERS);
    EXPECT_EQ(ReadReminders(w.store->Raw()), (ReminderValues{1, 9}));

    // The new limit is used at once: a minute away asks.
    w.Trigger(ID_CLOCK_IN);
    for (int i = 0; i < 70; ++i) {
        idle.idle = i;
        w.Tick();
    }
    idle.idle = 0;
    w.Tick();
    EXPECT_NE(w.View().Reminders()->IdlePrompt(), nullptr);
}

TEST_F(RemindersWindow, withoutAnIdleSourceTheDialogSaysSo) {
    services.idle = nullptr;
    ASSERT_TRUE(w.Start());
    WhenModal<CRemindersDlg>([](CRemindersDlg* dialog) {
        EXPECT_NE(dialog->NoIdleTimeNote(), nullptr);
        dialog->reject();
    });
    w.Trigger(ID_REMINDERS);
    EXPECT_EQ(ReadReminders(w.store->Raw()), (ReminderValues{10, 10}));
    EXPECT_FALSE(w.store->Raw().contains("Reminders/IdleMinutes"));  // Cancel writes nothing
}

TEST_F(RemindersWindow, clockOutWhenILeftShowsTheWindowClockedOut) {
    w.WriteLog("In...Mon Mar 04 08:00:00 2024\n");
    ASSERT_TRUE(w.Start());  // the clock stands at 09:00:00
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "In");
    for (int i = 0; i < 650; i += 10) {
        idle.idle = i;
        w.Tick(10);
    }
    idle.idle = 0;
    w.Tick();
    CIdleTimeDlg* prompt = w.View().Reminders()->IdlePrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->parentWidget(), &w.Frame());
    prompt->ClockOutButton()->click();
    EXPECT_EQ(w.ReadLog(), Crlf("In...Mon Mar 04 08:00:00 2024\n"
                                "Out..Mon Mar 04 09:00:10 2024\n"
                                "Elapsed time of 01:00:10.\n"));
    EXPECT_EQ(w.Pane(ID_INDICATOR_INOUT), "Out");
    EXPECT_EQ(w.Title().toStdString().rfind(kMarquee, 0), 0u);
    EXPECT_TRUE(w.reporter.messages.empty());
}

}  // namespace
}  // namespace tally::test
