// SPDX-License-Identifier: MIT
// Making a picker: placing it in a window, its style, and the one-time set-up of the class.
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "picker_test_support.h"

namespace tally::test {
namespace {

TEST(Create, placesThePickerAsAControlOfItsParent) {
    QWidget dialog;
    RecordingPicker picker;
    EXPECT_FALSE(picker.Create(PickerStyle::UpDown, QRect(1, 2, 90, 20), nullptr, 1006));
    EXPECT_EQ(picker.GetDlgCtrlID(), 0);
    EXPECT_EQ(picker.GetPickerStyle(), PickerStyle::DropDown);

    ASSERT_TRUE(picker.Create(PickerStyle::UpDown, QRect(63, 69, 90, 22), &dialog, 1006));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(picker.parentWidget(), &dialog);
    EXPECT_EQ(picker.geometry(), QRect(63, 69, 90, 22));
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.GetPickerStyle(), PickerStyle::UpDown);
    EXPECT_EQ(picker.calendarWidget(), nullptr);

    QSignalSpy changes(&picker, &CQFDateTimeCtrl::DateTimeChangeNotify);
    picker.setFocus();
    QTest::keyClick(&picker, Qt::Key_Up);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].value<DateTimeChangeNotification>().controlId, 1006);
    picker.setParent(nullptr);  // the dialog goes first
}

TEST(CommonSetUp, firstPickerRegistersTheNotificationForQueuedOwners) {
    PickerOwner owner(PickerStyle::UpDown);
    EXPECT_EQ(RecordingPicker::nCommonControlsInitialised, 1);
    EXPECT_TRUE(QMetaType::fromName("tally::DateTimeChangeNotification").isValid());

    std::vector<DateTimeChangeNotification> queued;
    QObject receiver;
    QObject::connect(
        owner.picker, &CQFDateTimeCtrl::DateTimeChangeNotify, &receiver,
        [&](const DateTimeChangeNotification& n) { queued.push_back(n); }, Qt::QueuedConnection);
    owner.picker->setFocus();
    QTest::keyClick(owner.picker, Qt::Key_Up);
    EXPECT_TRUE(queued.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(ValueOf(queued[0].time), owner.picker->dateTime());
}

}  // namespace
}  // namespace tally::test
