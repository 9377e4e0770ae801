// SPDX-License-Identifier: MIT
#include "controls/qf_date_time_ctrl.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QMetaType>
#include <QScopedValueRollback>

#include "controls/picker_format.h"

namespace tally {

int CQFDateTimeCtrl::nCommonControlsInitialised = 0;

CQFDateTimeCtrl::CQFDateTimeCtrl(QWidget* parent, PickerStyle style) : QDateTimeEdit(parent) {
    if (nCommonControlsInitialised == 0) {
        // Lets owners take notifications through queued connections and by type name.
        qRegisterMetaType<DateTimeChangeNotification>("tally::DateTimeChangeNotification");
        nCommonControlsInitialised = 1;
    }
    lastValue_ = CurrentDateTime();
    setDateTime(lastValue_);
    initialFormat_ = displayFormat();
    SetPickerStyle(style);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] { OnControlValueChanged(); });
}

CQFDateTimeCtrl::~CQFDateTimeCtrl() {
    // The pop-up is our child: it would report its hiding while the base part destroys it.
    if (calendarPopup_) calendarPopup_->removeEventFilter(this);
}

bool CQFDateTimeCtrl::Create(PickerStyle style, const QRect& rect, QWidget* parent, int id) {
    if (parent == nullptr) return false;
    setParent(parent);
    SetPickerStyle(style);
    setGeometry(rect);
    controlId_ = id;
    show();
    return true;
}

PickerStyle CQFDateTimeCtrl::GetPickerStyle() const {
    return calendarPopup() ? PickerStyle::DropDown : PickerStyle::UpDown;
}

void CQFDateTimeCtrl::SetPickerStyle(PickerStyle style) {
    setCalendarPopup(style == PickerStyle::DropDown);
}

void CQFDateTimeCtrl::DoDateTimeChange() {}

TimeValue CQFDateTimeCtrl::GetDateTime() const {
    SystemTime time;
    SysTimeFromCOleDateTime(lastValue_, &time);
    return CTimeFromSysTime(time);
}

bool CQFDateTimeCtrl::SetDateTime(TimeValue time) {
    SystemTime fields;
    SysTimeFromCTime(time, &fields);
    lastValue_ = COleDateTimeFromSysTime(fields);
    return SetSystemTime(fields);
}

bool CQFDateTimeCtrl::SetDateTime(const QDateTime& time) {
    lastValue_ = time;
    return SetSystemTime(time);
}

bool CQFDateTimeCtrl::SetFormat(const char* format) {
    const std::optional<QString> qtFormat =
        format != nullptr ? TranslatePickerFormat(QString::fromUtf8(format)) : initialFormat_;
    if (!qtFormat) return false;
    const QScopedValueRollback guard(settingControl_, true);
    // The edit reads its value back from the new text, losing fields the format leaves out;
    // a format only changes how the value looks.
    const QDateTime value = dateTime();
    setDisplayFormat(*qtFormat);
    setDateTime(value);
    return displayFormat() == *qtFormat;
}

bool CQFDateTimeCtrl::OnDateTimeChangeNotify(const DateTimeChangeNotification& notification) {
    // Changes made in the open calendar wait for its close-up.
    if (!notifyWhileDropped_ && droppedDown_) return true;
    bool recorded = false;
    if (notification.flags == GDT_VALID) {
        const QDateTime value = GetSystemTime();
        if (DiffersFromLastValue(value)) {
            lastValue_ = value;
            DoDateTimeChange();
            recorded = true;
        }
    }
    if (GetPickerStyle() == PickerStyle::UpDown || !droppedDown_) return false;
    // Notifying while dropped: the owner hears of each recorded change, not of repeats.
    return !recorded;
}

bool CQFDateTimeCtrl::OnDropDown() {
    droppedDown_ = true;
    return false;
}

bool CQFDateTimeCtrl::OnCloseUp() {
    droppedDown_ = false;
    if (notifyWhileDropped_) return false;
    if (DiffersFromLastValue(GetSystemTime())) ReflectDateTimeChange(NotificationOfControl());
    return false;
}

QDateTime CQFDateTimeCtrl::GetSystemTime() const {
    SystemTime time;
    SysTimeFromCOleDateTime(dateTime(), &time);
    return COleDateTimeFromSysTime(time);
}

bool CQFDateTimeCtrl::SetSystemTime(const SystemTime& time) {
    const QDateTime value = COleDateTimeFromSysTime(time);
    if (!value.isValid() || value < minimumDateTime() || value > maximumDateTime()) return false;
    const QScopedValueRollback guard(settingControl_, true);
    setDateTime(value);
    return true;
}

bool CQFDateTimeCtrl::SetSystemTime(TimeValue time) {
    SystemTime fields;
    SysTimeFromCTime(time, &fields);
    return SetSystemTime(fields);
}

bool CQFDateTimeCtrl::SetSystemTime(const QDateTime& time) {
    SystemTime fields;
    SysTimeFromCOleDateTime(time, &fields);
    return SetSystemTime(fields);
}

void CQFDateTimeCtrl::mousePressEvent(QMouseEvent* event) {
    // A press on the arrow makes the calendar pop-up on first use and opens it.
    WatchCalendarPopup();
    QDateTimeEdit::mousePressEvent(event);
}

bool CQFDateTimeCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendarPopup_) {
        if (event->type() == QEvent::Show && !OnDropDown()) emit DropDownNotify(controlId_);
        if (event->type() == QEvent::Hide && !OnCloseUp()) emit CloseUpNotify(controlId_);
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

QDateTime CQFDateTimeCtrl::CurrentDateTime() {
    SystemTime now;
    SysTimeFromCOleDateTime(QDateTime::currentDateTime(), &now);
    return COleDateTimeFromSysTime(now);
}

bool CQFDateTimeCtrl::DiffersFromLastValue(const QDateTime& value) const {
    if (value.isValid() != lastValue_.isValid()) return true;
    if (!value.isValid()) return false;
    SystemTime candidate;
    SystemTime last;
    SysTimeFromCOleDateTime(value, &candidate);
    SysTimeFromCOleDateTime(lastValue_, &last);
    return !(candidate == last);
}

DateTimeChangeNotification CQFDateTimeCtrl::NotificationOfControl() {
    DateTimeChangeNotification notification;
    notification.control = this;
    notification.controlId = controlId_;
    notification.flags = GDT_VALID;
    SysTimeFromCOleDateTime(dateTime(), &notification.time);
    return notification;
}

void CQFDateTimeCtrl::OnControlValueChanged() {
    if (settingControl_) return;
    ReflectDateTimeChange(NotificationOfControl());
}

void CQFDateTimeCtrl::ReflectDateTimeChange(const DateTimeChangeNotification& notification) {
    if (!OnDateTimeChangeNotify(notification)) emit DateTimeChangeNotify(notification);
}

void CQFDateTimeCtrl::WatchCalendarPopup() {
    QCalendarWidget* calendar = calendarWidget();
    if (calendar == nullptr) return;
    ApplyMonthCalAppearance(calendar);
    QWidget* popup = calendar->window();
    if (popup == calendarPopup_) return;
    if (calendarPopup_) calendarPopup_->removeEventFilter(this);
    calendarPopup_ = popup;
    popup->installEventFilter(this);
}

}  // namespace tally
