// SPDX-License-Identifier: MIT
// The drop-down calendar's colours and font, as the open calendar shows them.
#include <QTableView>

#include <gtest/gtest.h>

#include "picker_test_support.h"

namespace tally::test {
namespace {

TEST(MonthCalColour, setColourReturnsThePreviousAndPaintsTheOpenCalendar) {
    PickerOwner owner(PickerStyle::DropDown);
    const QColor monthBackground = owner.picker->GetMonthCalColour(MCSC_MONTHBK);
    const QColor trailingText = owner.picker->GetMonthCalColour(MCSC_TRAILINGTEXT);
    ASSERT_TRUE(monthBackground.isValid());
    ASSERT_NE(monthBackground, QColor(255, 255, 0));
    EXPECT_EQ(owner.picker->SetMonthCalColour(MCSC_MONTHBK, QColor(255, 255, 0)), monthBackground);
    EXPECT_EQ(owner.picker->SetMonthCalColour(MCSC_TRAILINGTEXT, QColor(0, 200, 200)),
              trailingText);
    EXPECT_EQ(owner.picker->GetMonthCalColour(MCSC_MONTHBK), QColor(255, 255, 0));
    EXPECT_EQ(owner.picker->GetMonthCalColour(MCSC_TRAILINGTEXT), QColor(0, 200, 200));

    ASSERT_TRUE(owner.picker->SetDateTime(Local(2024, 5, 10, 8, 0, 0)));
    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    ASSERT_NE(calendar, nullptr);
    auto* view = calendar->findChild<QTableView*>();
    const QRect dayCell = view->visualRect(view->model()->index(3, 3));
    const QImage image = view->viewport()->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(dayCell.topLeft() + QPoint(2, 2))), QColor(255, 255, 0));
    EXPECT_EQ(calendar->palette().color(QPalette::Disabled, QPalette::Text), QColor(0, 200, 200));
}

TEST(MonthCalColour, upDownPickerKeepsColoursForWhenItDropsDown) {
    PickerOwner owner(PickerStyle::UpDown);
    owner.picker->SetMonthCalColour(MCSC_TITLEBK, QColor(0, 128, 0));
    owner.picker->SetMonthCalColour(MCSC_TEXT, QColor(128, 0, 128));
    EXPECT_EQ(owner.picker->GetMonthCalColour(MCSC_TITLEBK), QColor(0, 128, 0));

    owner.picker->SetPickerStyle(PickerStyle::DropDown);
    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->palette().color(QPalette::Highlight), QColor(0, 128, 0));
    EXPECT_EQ(calendar->palette().color(QPalette::Active, QPalette::Text), QColor(128, 0, 128));
}

TEST(MonthCalColour, unknownIndexGivesNoColourAndChangesNothing) {
    RecordingPicker picker;
    const QColor text = picker.GetMonthCalColour(MCSC_TEXT);
    EXPECT_FALSE(picker.SetMonthCalColour(kMonthCalColourCount, Qt::red).isValid());
    EXPECT_FALSE(picker.SetMonthCalColour(-1, Qt::red).isValid());
    EXPECT_FALSE(picker.GetMonthCalColour(kMonthCalColourCount).isValid());
    EXPECT_EQ(picker.GetMonthCalColour(MCSC_TEXT), text);
}

TEST(MonthCalFont, isTheOpenCalendarsFont) {
    PickerOwner owner(PickerStyle::DropDown);
    QFont font = owner.picker->GetMonthCalFont();
    font.setPointSize(font.pointSize() + 5);
    font.setItalic(true);
    owner.picker->SetMonthCalFont(font);
    EXPECT_EQ(owner.picker->GetMonthCalFont(), font);

    QCalendarWidget* calendar = OpenCalendar(owner.picker);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->font().pointSize(), font.pointSize());
    EXPECT_TRUE(calendar->font().italic());
}

}  // namespace
}  // namespace tally::test
