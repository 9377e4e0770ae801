// SPDX-License-Identifier: MIT
#pragma once
// The Add/Edit Time Entry dialog: one punch pair, its In and Out times and whether it has
// an Out at all, with the elapsed time shown while the user edits.

#include <QDialog>
#include <QString>

#include "basics/message_box_reporter.h"
#include "log/reporter.h"
#include "time/clock.h"

class QCheckBox;
class QLabel;

namespace tally {

class CQFDateTimeCtrl;

inline constexpr const char* kIllegalDatesText = "Illegal dates. In must be less than out";
inline constexpr const char* kTimeEntryPickerFormat = "yyy-MM-dd HH:mm:ss";

class CTimeEntryDlg : public QDialog {
    Q_OBJECT

  public:
    // In and Out are now, Valid is clear. Refusals go to the reporter, or to message boxes.
    explicit CTimeEntryDlg(const Clock& clock, Reporter* reporter = nullptr,
                           QWidget* parent = nullptr);

    // The inputs, put into the controls at once; the outputs after OK.
    void SetInTime(TimeValue time);
    void SetOutTime(TimeValue time);
    void SetValid(bool valid);
    TimeValue InTime() const { return m_timeIn; }
    TimeValue OutTime() const { return m_timeOut; }
    bool Valid() const { return m_bValid; }

    // What the elapsed display shows.
    QString ElapsedText() const;

    void accept() override;

  private:
    void CreateControls();
    void TakeFromControls();
    void OnValidClicked();
    void UpdateElapsed();

    MessageBoxReporter messageBoxes_;
    Reporter& reporter_;

    QLabel* m_stElapsed = nullptr;
    CQFDateTimeCtrl* m_dtOut = nullptr;
    CQFDateTimeCtrl* m_dtIn = nullptr;
    QCheckBox* validBox_ = nullptr;
    TimeValue m_timeIn;
    TimeValue m_timeOut;
    bool m_bValid = false;
};

}  // namespace tally
