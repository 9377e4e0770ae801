// SPDX-License-Identifier: MIT
#include "picker_test_support.h"

#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace tally::test {

PickerOwner::PickerOwner(PickerStyle style, int controlId) : window(std::make_unique<QWidget>()) {
    picker = new RecordingPicker(window.get(), style);
    picker->SetDlgCtrlID(controlId);
    picker->setGeometry(10, 10, 220, 26);
    QObject::connect(picker, &CQFDateTimeCtrl::DateTimeChangeNotify, window.get(),
                     [this](const DateTimeChangeNotification& n) { changes.push_back(n); });
    QObject::connect(picker, &CQFDateTimeCtrl::DropDownNotify, window.get(),
                     [this] { ++dropDowns; });
    QObject::connect(picker, &CQFDateTimeCtrl::CloseUpNotify, window.get(), [this] { ++closeUps; });
    window->resize(240, 50);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

QDateTime Local(int year, int month, int day, int hour, int minute, int second) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QDateTime ValueOf(const SystemTime& time) {
    return Local(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

QCalendarWidget* OpenCalendar(CQFDateTimeCtrl* picker) {
    // Where the edit itself looks for its arrow.
    QStyleOptionComboBox option;
    option.initFrom(picker);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = picker->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxArrow, picker);
    QTest::mouseClick(picker, Qt::LeftButton, {}, arrow.center());
    return picker->calendarWidget();
}

void PressInCalendar(QCalendarWidget* calendar, Qt::Key key) {
    QTest::keyClick(calendar->findChild<QTableView*>(), key);
}

void ClickDay(QCalendarWidget* calendar, int day) {
    auto* view = calendar->findChild<QTableView*>();
    const QAbstractItemModel* model = view->model();
    const QString wanted = QString::number(day);
    int firsts = 0;  // day 1 starts the shown month, the next day 1 ends it
    for (int row = 1; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if (model->data(model->index(0, column)).toString().isEmpty()) continue;  // week no.
            const QModelIndex cell = model->index(row, column);
            const QString text = model->data(cell).toString();
            if (text == u"1") ++firsts;
            if (firsts == 1 && text == wanted) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(cell).center());
                return;
            }
        }
    }
    ADD_FAILURE() << "day " << day << " is not shown";
}

void PrintTo(const SystemTime& time, std::ostream* out) {
    ::PrintTo(ValueOf(time), out);
    *out << " (day of week " << time.dayOfWeek << ", ms " << time.milliseconds << ")";
}

}  // namespace tally::test
