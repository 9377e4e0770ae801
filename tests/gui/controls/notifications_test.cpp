// SPDX-License-Identifier: MIT
// Change notifications as the owner receives them: held back while the calendar is open,
// one at close-up, every change from an up-down picker, none for the program's own settings.
#include <QTest>

#include <gtest/gtest.h>

#include "picker_test_support.h"

namespace tally::test {
namespace {

class DropDownNotifications : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 8, 0, 0))); }

    PickerOwner owner{PickerStyle::DropDown};
};

TEST_F(DropDownNotifications, threeChangesInOpenCalendarGiveOneNotificationAtCloseUp) {
    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(owner.picker->IsDroppedDown());
    EXPECT_EQ(owner.dropDowns, 1);

    PressInCalendar(calendar, Qt::Key_Right);
    PressInCalendar(calendar, Qt::Key_Right);
    EXPECT_EQ(owner.picker->dateTime(), Local(2024, 5, 12, 8, 0, 0));
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_TRUE(owner.picker->Committed().empty());
    EXPECT_EQ(owner.picker->GetOleDateTime(), Local(2024, 5, 10, 8, 0, 0));

    ClickDay(calendar, 20);
    EXPECT_FALSE(calendar->window()->isVisible());
    EXPECT_FALSE(owner.picker->IsDroppedDown());
    EXPECT_EQ(owner.closeUps, 1);
    ASSERT_EQ(owner.changes.size(), 1u);
    const DateTimeChangeNotification& change = owner.changes[0];
    EXPECT_EQ(change.control, owner.picker);
    EXPECT_EQ(change.controlId, 1006);
    EXPECT_EQ(change.flags, GDT_VALID);
    EXPECT_EQ(ValueOf(change.time), Local(2024, 5, 20, 8, 0, 0));
    ASSERT_EQ(owner.picker->Committed().size(), 1u);
    EXPECT_EQ(owner.picker->Committed()[0], Local(2024, 5, 20, 8, 0, 0));
    EXPECT_EQ(owner.picker->GetOleDateTime(), Local(2024, 5, 20, 8, 0, 0));
}

TEST_F(DropDownNotifications, closingUnchangedCalendarSendsNothing) {
    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    ASSERT_NE(calendar, nullptr);
    PressInCalendar(calendar, Qt::Key_Escape);
    EXPECT_FALSE(calendar->window()->isVisible());
    EXPECT_EQ(owner.closeUps, 1);

    // Moved away and back: the value at close-up is the one committed before.
    calendar = OpenCalendar(owner.picker);
    PressInCalendar(calendar, Qt::Key_Down);
    PressInCalendar(calendar, Qt::Key_Up);
    PressInCalendar(calendar, Qt::Key_Escape);
    EXPECT_EQ(owner.dropDowns, 2);
    EXPECT_EQ(owner.closeUps, 2);
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_TRUE(owner.picker->Committed().empty());
}

TEST_F(DropDownNotifications, closedPickerPassesEditsOnAtOnce) {
    owner.picker->setFocus();
    QTest::keyClick(owner.picker, Qt::Key_Up);
    ASSERT_EQ(owner.changes.size(), 1u);
    EXPECT_EQ(owner.picker->Committed().size(), 1u);
    EXPECT_EQ(owner.picker->GetOleDateTime(), owner.picker->dateTime());
}

TEST_F(DropDownNotifications, notifyingWhileDroppedPassesEachChangeAndNothingAtCloseUp) {
    owner.picker->SetNotifyWhileDropped(true);
    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    PressInCalendar(calendar, Qt::Key_Right);
    PressInCalendar(calendar, Qt::Key_Right);
    ASSERT_EQ(owner.changes.size(), 2u);
    EXPECT_EQ(ValueOf(owner.changes[1].time), Local(2024, 5, 12, 8, 0, 0));
    EXPECT_EQ(owner.picker->Committed().size(), 2u);

    PressInCalendar(calendar, Qt::Key_Escape);
    EXPECT_EQ(owner.closeUps, 1);
    EXPECT_EQ(owner.changes.size(), 2u);
    EXPECT_EQ(owner.picker->GetOleDateTime(), Local(2024, 5, 12, 8, 0, 0));
}

TEST_F(DropDownNotifications, programSettingsOfTheControlAreNoChanges) {
    ASSERT_TRUE(owner.picker->SetDateTime(Local(2025, 1, 2, 3, 4, 5)));
    ASSERT_TRUE(owner.picker->SetSystemTime(Local(2025, 6, 7, 8, 9, 10)));
    const QDateTime minimum = Local(2026, 1, 1, 0, 0, 0);
    ASSERT_TRUE(owner.picker->SetRange(&minimum, nullptr));  // moves the value up to it
    ASSERT_TRUE(owner.picker->SetFormat("yyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(owner.picker->dateTime(), minimum);
    EXPECT_TRUE(owner.changes.empty());
    EXPECT_TRUE(owner.picker->Committed().empty());
}

TEST(UpDownNotifications, everyChangeIsCommittedAndReachesTheOwner) {
    PickerOwner owner(PickerStyle::UpDown, 1007);
    ASSERT_TRUE(owner.picker->SetFormat("MM'/'dd'/'yyyy'"));
    ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 0, 0, 0)));
    owner.picker->setFocus();
    QTest::keyClick(owner.picker, Qt::Key_Home);  // the month field
    for (int i = 0; i < 3; ++i) QTest::keyClick(owner.picker, Qt::Key_Up);

    EXPECT_EQ(owner.picker->text(), "08/10/2024");
    ASSERT_EQ(owner.changes.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ValueOf(owner.changes[i].time), Local(2024, 6 + i, 10, 0, 0, 0));
        EXPECT_EQ(owner.changes[i].controlId, 1007);
    }
    ASSERT_EQ(owner.picker->Committed().size(), 3u);
    EXPECT_EQ(owner.picker->Committed()[2], Local(2024, 8, 10, 0, 0, 0));
    EXPECT_EQ(owner.dropDowns, 0);
    EXPECT_FALSE(owner.picker->IsDroppedDown());
}

TEST(UpDownNotifications, typedDateIsCommitted) {
    PickerOwner owner(PickerStyle::UpDown);
    ASSERT_TRUE(owner.picker->SetFormat("MM'/'dd'/'yyyy'"));
    ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 0, 0, 0)));
    owner.picker->setFocus();
    QTest::keyClick(owner.picker, Qt::Key_Home);
    QTest::keyClick(owner.picker, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(owner.picker, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(owner.picker, "12");
    EXPECT_EQ(owner.picker->text(), "12/10/2024");
    ASSERT_FALSE(owner.changes.empty());
    EXPECT_EQ(owner.picker->GetDateTime(), Local(2024, 12, 10, 0, 0, 0).toSecsSinceEpoch());
}

TEST(ChangeNotification, withoutADateRecordsNothingAndIsNotKeptFromTheOwner) {
    PickerOwner owner(PickerStyle::DropDown);
    ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 8, 0, 0)));
    ASSERT_TRUE(owner.picker->SetSystemTime(Local(2024, 5, 11, 8, 0, 0)));
    DateTimeChangeNotification notification{owner.picker, 1006, GDT_NONE, {}};

    EXPECT_FALSE(owner.picker->OnDateTimeChangeNotify(notification));
    EXPECT_TRUE(owner.picker->Committed().empty());
    EXPECT_EQ(owner.picker->GetOleDateTime(), Local(2024, 5, 10, 8, 0, 0));

    notification.flags = GDT_VALID;
    EXPECT_FALSE(owner.picker->OnDateTimeChangeNotify(notification));
    EXPECT_EQ(owner.picker->GetOleDateTime(), Local(2024, 5, 11, 8, 0, 0));
}

}  // namespace
}  // namespace tally::test
