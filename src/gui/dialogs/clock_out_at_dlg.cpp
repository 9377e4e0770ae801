// SPDX-License-Identifier: MIT
#include "dialogs/clock_out_at_dlg.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tally {

CClockOutAtDlg::CClockOutAtDlg(TimeValue now, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Clock Out At");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Clock &Out at (not before the In, not after now):", this);
    m_picker = new QDateTimeEdit(QDateTime::fromSecsSinceEpoch(now), this);
    // Seconds shown: the Out is written to the second, as the log records it.
    m_picker->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
    m_picker->setCalendarPopup(true);
    label->setBuddy(m_picker);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(m_picker);
    layout->addWidget(buttons);
}

TimeValue CClockOutAtDlg::When() const {
    return m_picker->dateTime().toSecsSinceEpoch();
}

}  // namespace tally
