// SPDX-License-Identifier: MIT
#include "dialogs/time_entry_dlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "basics/dialog_units.h"
#include "controls/qf_date_time_ctrl.h"
#include "log/editor_messages.h"
#include "time/c_format.h"
#include "time/elapsed_time.h"
#include "time/local_time.h"

namespace tally {
namespace {

// The picker's shown value as a local wall time, to the second.
TimeValue ControlTime(const CQFDateTimeCtrl& picker) {
    const QDateTime shown = picker.dateTime();
    const QDate date = shown.date();
    const QTime time = shown.time();
    return FromLocalTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                         time.second());
}

// The elapsed display's text of Out - In: hours within a day, minutes and seconds, each
// printed signed ("00:00:-30").
QString ElapsedDisplayText(TimeValue in, TimeValue out) {
    const ELAPSEDTIME e = SplitWithinDay(out - in);
    return QString::fromStdString(FormatC("%02d:%02d:%02d", e.nHours, e.nMinutes, e.nSeconds));
}

}  // namespace

CTimeEntryDlg::CTimeEntryDlg(const Clock& clock, Reporter* reporter, QWidget* parent)
    : QDialog(parent),
      messageBoxes_(this),
      reporter_(reporter != nullptr ? *reporter : messageBoxes_),
      m_timeIn(clock.Now()),
      m_timeOut(clock.Now()) {
    setWindowTitle("Add/Edit Time Entry");
    setFont(DialogFont());
    CreateControls();
    m_dtIn->SetFormat(kTimeEntryPickerFormat);
    m_dtOut->SetFormat(kTimeEntryPickerFormat);
    m_dtIn->SetDateTime(m_timeIn);
    m_dtOut->SetDateTime(m_timeOut);
    SetValid(false);
}

void CTimeEntryDlg::CreateControls() {
    const DialogUnits units;
    setFixedSize(units.X(137), units.Y(177));

    auto* inGroup = new QGroupBox("&In", this);
    units.Place(inGroup, 7, 7, 123, 40);
    m_dtIn = new CQFDateTimeCtrl(inGroup, PickerStyle::DropDown);
    m_dtIn->SetDlgCtrlID(1037);
    units.PlaceInFrame(m_dtIn, inGroup, 20, 22, 100, 15);

    auto* outGroup = new QGroupBox("Out", this);
    units.Place(outGroup, 7, 50, 123, 53);
    validBox_ = new QCheckBox("&Valid", outGroup);
    units.PlaceInFrame(validBox_, outGroup, 19, 63, 31, 10);
    m_dtOut = new CQFDateTimeCtrl(outGroup, PickerStyle::DropDown);
    m_dtOut->SetDlgCtrlID(1039);
    units.PlaceInFrame(m_dtOut, outGroup, 18, 78, 100, 15);

    auto* ok = new QPushButton("OK", this);
    units.Place(ok, 11, 156, 50, 14);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    units.Place(cancel, 77, 156, 50, 14);

    auto* etGroup = new QGroupBox("ET", this);
    units.Place(etGroup, 7, 106, 123, 40);
    m_stElapsed = new QLabel("Static", etGroup);
    units.PlaceInFrame(m_stElapsed, etGroup, 20, 122, 98, 8);

    connect(ok, &QPushButton::clicked, this, &CTimeEntryDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CTimeEntryDlg::reject);
    connect(validBox_, &QCheckBox::clicked, this, &CTimeEntryDlg::OnValidClicked);
    connect(m_dtIn, &CQFDateTimeCtrl::DateTimeChangeNotify, this, &CTimeEntryDlg::UpdateElapsed);
    connect(m_dtOut, &CQFDateTimeCtrl::DateTimeChangeNotify, this, &CTimeEntryDlg::UpdateElapsed);

    // The first tab stop has the focus when the dialog opens.
    m_dtIn->setFocus();
}

void CTimeEntryDlg::SetInTime(TimeValue time) {
    m_timeIn = time;
    m_dtIn->SetDateTime(time);
    UpdateElapsed();
}

void CTimeEntryDlg::SetOutTime(TimeValue time) {
    m_timeOut = time;
    m_dtOut->SetDateTime(time);
    UpdateElapsed();
}

void CTimeEntryDlg::SetValid(bool valid) {
    m_bValid = valid;
    validBox_->setChecked(valid);
    m_dtOut->setEnabled(valid);
    UpdateElapsed();
}

QString CTimeEntryDlg::ElapsedText() const {
    return m_stElapsed->text();
}

void CTimeEntryDlg::TakeFromControls() {
    m_timeIn = ControlTime(*m_dtIn);
    m_timeOut = ControlTime(*m_dtOut);
    m_bValid = validBox_->isChecked();
}

void CTimeEntryDlg::OnValidClicked() {
    TakeFromControls();
    m_dtOut->setEnabled(m_bValid);
    UpdateElapsed();
}

void CTimeEntryDlg::UpdateElapsed() {
    if (m_bValid) {
        TakeFromControls();
        m_stElapsed->setText(ElapsedDisplayText(m_timeIn, m_timeOut));
    } else {
        m_stElapsed->clear();
    }
}

void CTimeEntryDlg::accept() {
    TakeFromControls();
    if (m_bValid && m_timeOut < m_timeIn) {
        reporter_.Report({kIllegalDatesText, kApplicationName, MessageIcon::None});
        m_dtIn->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

}  // namespace tally
