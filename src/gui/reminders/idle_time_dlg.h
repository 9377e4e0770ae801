// SPDX-License-Identifier: MIT
#pragma once
// "Idle Time": asks a user who comes back after a time away while clocked in whether that
// time counts. Keep the Time rejects, Clock Out When I Left accepts.

#include <QDialog>

#include "reminders/reminder_rules.h"

class QLabel;
class QPushButton;

namespace tally {

class CIdleTimeDlg : public QDialog {
    Q_OBJECT

  public:
    CIdleTimeDlg(const AwayTime& away, QWidget* parent);

    const AwayTime& Away() const { return m_away; }
    QLabel* Text() const { return m_text; }
    QPushButton* KeepButton() const { return m_keep; }
    QPushButton* ClockOutButton() const { return m_clockOut; }

  private:
    AwayTime m_away;
    QLabel* m_text;
    QPushButton* m_keep;
    QPushButton* m_clockOut;
};

}  // namespace tally
