// SPDX-License-Identifier: MIT
#pragma once
// Edit > Clock Out At: the instant a forgotten Clock Out should have been made, picked in
// local time. The engine decides whether the log takes it.

#include <QDialog>

#include "time/local_time.h"

class QDateTimeEdit;

namespace tally {

class CClockOutAtDlg : public QDialog {
    Q_OBJECT

  public:
    // The picker starts at now.
    explicit CClockOutAtDlg(TimeValue now, QWidget* parent = nullptr);

    TimeValue When() const;
    QDateTimeEdit* Picker() const { return m_picker; }

  private:
    QDateTimeEdit* m_picker = nullptr;
};

}  // namespace tally
