// SPDX-License-Identifier: MIT
#pragma once
// Drives pickers as a user does: a window that owns one picker and counts what it is told,
// the arrow that opens the calendar, and clicks and keys inside the calendar.

#include <QCalendarWidget>
#include <QDateTime>
#include <QWidget>
#include <memory>
#include <ostream>
#include <vector>

#include "controls/picker_types.h"
#include "qt_printers.h"
#include "recording_picker.h"

namespace tally::test {

struct PickerOwner {
    explicit PickerOwner(PickerStyle style, int controlId = 1006);

    std::unique_ptr<QWidget> window;
    RecordingPicker* picker = nullptr;
    std::vector<DateTimeChangeNotification> changes;
    int dropDowns = 0;
    int closeUps = 0;
};

QDateTime Local(int year, int month, int day, int hour, int minute, int second);
QDateTime ValueOf(const SystemTime& time);

// Presses the picker's drop-down arrow; returns the calendar it opened.
QCalendarWidget* OpenCalendar(CQFDateTimeCtrl* picker);
void PressInCalendar(QCalendarWidget* calendar, Qt::Key key);
// Clicks a day of the month the calendar shows.
void ClickDay(QCalendarWidget* calendar, int day);

void PrintTo(const SystemTime& time, std::ostream* out);

}  // namespace tally::test
