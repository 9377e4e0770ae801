// SPDX-License-Identifier: MIT
#pragma once
// "Reminders": the minutes without input after which a user clocked in is asked about the
// time away, and the hours clocked in after which a long day is reminded of; 0 is off.

#include <QDialog>

#include "settings/reminder_settings.h"

class QLabel;
class QSpinBox;

namespace tally {

class CRemindersDlg : public QDialog {
    Q_OBJECT

  public:
    // Without an idle source the idle reminder cannot work, and the dialog says so.
    CRemindersDlg(bool idleTimeAvailable, QWidget* parent);

    void SetValues(const ReminderValues& values);
    ReminderValues Values() const;

    QSpinBox* IdleMinutesBox() const { return m_idleMinutes; }
    QSpinBox* LongDayHoursBox() const { return m_longDayHours; }
    // The line saying that idle time is not available here; none when it is.
    QLabel* NoIdleTimeNote() const { return m_noIdleTime; }

  private:
    QSpinBox* m_idleMinutes;
    QSpinBox* m_longDayHours;
    QLabel* m_noIdleTime = nullptr;
};

}  // namespace tally
