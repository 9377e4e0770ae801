// SPDX-License-Identifier: MIT
#pragma once
// CQFDateTimeCtrl: the program's date-time picker, exported for other modules to use and
// derive from. On top of QDateTimeEdit it remembers the value it last committed, calls
// DoDateTimeChange once for each committed change, and, while its calendar pop-up is open,
// holds change notifications back so that the owner hears of one change when it closes.
//
// Values: QDateTime (local wall time, whole seconds) and TimeValue (seconds since 1970 UTC).
// The owner takes change notifications from the DateTimeChangeNotify signal.

#include <QColor>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <array>
#include <optional>

#include "controls/picker_types.h"
#include "controls/tally_controls_export.h"

class QCalendarWidget;

namespace tally {

class TALLYCONTROLS_EXPORT CQFDateTimeCtrl : public QDateTimeEdit {
    Q_OBJECT

  public:
    // Shows and remembers the current date and time.
    explicit CQFDateTimeCtrl(QWidget* parent = nullptr, PickerStyle style = PickerStyle::DropDown);
    ~CQFDateTimeCtrl() override;

    // Places the picker as control `id` of `parent` at `rect` and shows it. A control needs a
    // window to sit in: without a parent it changes nothing and returns false.
    bool Create(PickerStyle style, const QRect& rect, QWidget* parent, int id);

    PickerStyle GetPickerStyle() const;
    void SetPickerStyle(PickerStyle style);
    int GetDlgCtrlID() const { return controlId_; }
    void SetDlgCtrlID(int id) { controlId_ = id; }
    // True while the calendar pop-up is open.
    bool IsDroppedDown() const { return droppedDown_; }

    // Called after the last value took a changed value of the control. Does nothing here.
    virtual void DoDateTimeChange();

    // The last value, not the control's: what was set with SetDateTime or last committed.
    TimeValue GetDateTime() const;
    QDateTime GetOleDateTime() const { return lastValue_; }
    // Set the last value and then the control; false when the control refuses the value
    // (invalid, or outside the range), which leaves the control as it was.
    bool SetDateTime(TimeValue time);
    bool SetDateTime(const QDateTime& time);

    // A format in the picker format language (see TranslatePickerFormat); null restores the
    // format the picker started with. False, changing nothing, for a format Qt cannot show.
    bool SetFormat(const char* format);

    // Colours by MonthCalColour index; Set returns the previous colour. An index out of
    // range gives an invalid colour and changes nothing.
    QColor SetMonthCalColour(int which, const QColor& colour);
    QColor GetMonthCalColour(int which) const;
    void SetMonthCalFont(const QFont& font);
    QFont GetMonthCalFont() const;

    // A limit given as null is removed; two nulls remove both. False, changing nothing, for
    // an invalid limit or a minimum after the maximum.
    bool SetRange(const TimeValue* minimum, const TimeValue* maximum);
    bool SetRange(const QDateTime* minimum, const QDateTime* maximum);
    // Stores both limits and returns which are set (GDTR_MIN, GDTR_MAX). A limit that is not
    // set is reported as the control's own: 1752-09-14 00:00:00 and 9999-12-31 23:59:59.
    unsigned GetRange(TimeValue* minimum, TimeValue* maximum) const;
    unsigned GetRange(QDateTime* minimum, QDateTime* maximum) const;

  signals:
    void DateTimeChangeNotify(const tally::DateTimeChangeNotification& notification);
    void DropDownNotify(int controlId);
    void CloseUpNotify(int controlId);

  protected:
    // Notification handlers: true keeps the notification from the owner.
    virtual bool OnDateTimeChangeNotify(const DateTimeChangeNotification& notification);
    virtual bool OnDropDown();
    virtual bool OnCloseUp();

    // The control's value, to the second.
    QDateTime GetSystemTime() const;
    // Set the control only, not the last value; false when the control refuses the value.
    bool SetSystemTime(const SystemTime& time);
    bool SetSystemTime(TimeValue time);
    bool SetSystemTime(const QDateTime& time);

    // Local wall-clock fields, milliseconds 0, dayOfWeek left as it was.
    static void SysTimeFromCOleDateTime(const QDateTime& time, SystemTime* out);
    static void SysTimeFromCTime(TimeValue time, SystemTime* out);
    // An invalid QDateTime (or 0) for fields that are no date; a wall time skipped by a
    // clock change is moved forward by the gap.
    static QDateTime COleDateTimeFromSysTime(const SystemTime& time);
    static TimeValue CTimeFromSysTime(const SystemTime& time);

    // When set, changes made in the open calendar reach the owner at once and nothing is
    // sent at close-up. Clear from construction; only a derived class sets it.
    void SetNotifyWhileDropped(bool notify) { notifyWhileDropped_ = notify; }

    void mousePressEvent(QMouseEvent* event) override;

    // 1 once the first picker has registered the notification type with Qt's meta-types.
    static int nCommonControlsInitialised;

  private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    static QDateTime CurrentDateTime();
    bool DiffersFromLastValue(const QDateTime& value) const;
    DateTimeChangeNotification NotificationOfControl();
    void OnControlValueChanged();
    void ReflectDateTimeChange(const DateTimeChangeNotification& notification);
    bool ApplyRange(unsigned flags, const std::array<SystemTime, 2>& limits);
    std::array<SystemTime, 2> RangeLimits() const;
    void WatchCalendarPopup();
    void ApplyMonthCalAppearance(QCalendarWidget* calendar) const;
    QPalette DefaultMonthCalPalette() const;

    bool droppedDown_ = false;
    bool notifyWhileDropped_ = false;
    QDateTime lastValue_;
    int controlId_ = 0;
    unsigned rangeFlags_ = 0;
    // True while this class sets the control, whose own change signal is then no user's.
    bool settingControl_ = false;
    QString initialFormat_;
    QPointer<QWidget> calendarPopup_;
    std::array<QColor, kMonthCalColourCount> monthCalColours_;
    std::optional<QFont> monthCalFont_;
};

}  // namespace tally
