// SPDX-License-Identifier: MIT
#include "dialogs/time_entry_dlg.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "controls/qf_date_time_ctrl.h"
#include "dialog_driver.h"
#include "log/editor_messages.h"
#include "qt_printers.h"
#include "test_support.h"
#include "time/local_time.h"

namespace tally {
namespace {

using test::Click;

class TimeEntryDlgTest : public ::testing::Test {
  protected:
    TimeEntryDlgTest() : clock(FromLocalTime(2004, 6, 2, 17, 47, 39)), dlg(clock, &reporter) {}

    void Open() {
        dlg.show();
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    CQFDateTimeCtrl* InPicker() { return test::Pickers(dlg).at(0); }
    CQFDateTimeCtrl* OutPicker() { return test::Pickers(dlg).at(1); }
    QCheckBox* ValidBox() { return dlg.findChild<QCheckBox*>(); }
    QPushButton* Button(const QString& text) { return test::FindButton(dlg, text); }
    // What typing a value into the picker's fields ends in.
    static void Enter(CQFDateTimeCtrl* picker, int y, int mo, int d, int h, int mi, int s) {
        picker->setDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s)));
    }

    test::FakeClock clock;
    test::RecordingReporter reporter;
    CTimeEntryDlg dlg;
};

TEST_F(TimeEntryDlgTest, opensAtNowWithoutAnOut) {
    Open();
    EXPECT_EQ(dlg.windowTitle(), "Add/Edit Time Entry");
    EXPECT_EQ(InPicker()->text(), "2004-06-02 17:47:39");
    EXPECT_EQ(OutPicker()->text(), "2004-06-02 17:47:39");
    EXPECT_FALSE(ValidBox()->isChecked());
    EXPECT_FALSE(OutPicker()->isEnabled());
    EXPECT_EQ(dlg.ElapsedText(), "");
    EXPECT_EQ(QApplication::focusWidget(), InPicker());
}

TEST_F(TimeEntryDlgTest, checkingValidEnablesOutAndShowsTheDifferenceAtOnce) {
    Open();
    Enter(OutPicker(), 2004, 6, 2, 18, 0, 0);
    EXPECT_EQ(dlg.ElapsedText(), "");
    Click(ValidBox());
    EXPECT_TRUE(OutPicker()->isEnabled());
    EXPECT_EQ(dlg.ElapsedText(), "00:12:21");
    Click(ValidBox());
    EXPECT_FALSE(OutPicker()->isEnabled());
    EXPECT_EQ(dlg.ElapsedText(), "");
    Enter(InPicker(), 2004, 6, 2, 9, 0, 0);
    EXPECT_EQ(dlg.ElapsedText(), "");
}

TEST_F(TimeEntryDlgTest, elapsedTextFollowsThePickers) {
    dlg.SetValid(true);
    Open();
    EXPECT_EQ(dlg.ElapsedText(), "00:00:00");
    Enter(OutPicker(), 2004, 6, 3, 18, 47, 39);
    EXPECT_EQ(dlg.ElapsedText(), "01:00:00");
    Enter(OutPicker(), 2004, 6, 2, 17, 47, 9);
    EXPECT_EQ(dlg.ElapsedText(), "00:00:-30");
    // A step of the seconds field with the arrow key, as a user makes it.
    OutPicker()->setFocus();
    OutPicker()->setCurrentSection(QDateTimeEdit::SecondSection);
    QTest::keyClick(OutPicker(), Qt::Key_Up);
    EXPECT_EQ(dlg.ElapsedText(), "00:00:-29");
}

TEST_F(TimeEntryDlgTest, refusesAnOutBeforeTheInAndKeepsTheEdits) {
    dlg.SetValid(true);
    Open();
    Enter(OutPicker(), 2004, 6, 2, 17, 47, 9);
    Click(Button("OK"));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Illegal dates. In must be less than out");
    EXPECT_EQ(reporter.messages[0].caption, kApplicationName);
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_EQ(QApplication::focusWidget(), InPicker());
    EXPECT_EQ(OutPicker()->text(), "2004-06-02 17:47:09");
    Click(Button("Cancel"));
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(TimeEntryDlgTest, acceptsEqualTimesAndReturnsTheEditedValues) {
    dlg.SetInTime(FromLocalTime(2004, 6, 2, 9, 0, 0));
    dlg.SetOutTime(FromLocalTime(2004, 6, 2, 9, 0, 0));
    dlg.SetValid(true);
    QTimer::singleShot(0, &dlg, [this] { Click(Button("OK")); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(dlg.InTime(), FromLocalTime(2004, 6, 2, 9, 0, 0));
    EXPECT_EQ(dlg.OutTime(), dlg.InTime());
    EXPECT_TRUE(dlg.Valid());
}

TEST_F(TimeEntryDlgTest, withoutValidAnyOutPassesAndIsStillTaken) {
    dlg.SetOutTime(FromLocalTime(2004, 6, 1, 8, 0, 0));
    Open();
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.Valid());
    EXPECT_EQ(dlg.OutTime(), FromLocalTime(2004, 6, 1, 8, 0, 0));
}

TEST_F(TimeEntryDlgTest, tabOrderFollowsTheTemplate) {
    dlg.SetValid(true);
    Open();
    // The tab stops in the order Tab visits them (inside a picker, Tab steps its fields).
    std::vector<QWidget*> stops;
    QWidget* w = InPicker();
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
            w->focusProxy() == nullptr) {
            stops.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != InPicker());
    EXPECT_EQ(stops, (std::vector<QWidget*>{InPicker(), ValidBox(), OutPicker(), Button("OK"),
                                            Button("Cancel")}));
}

}  // namespace
}  // namespace tally
