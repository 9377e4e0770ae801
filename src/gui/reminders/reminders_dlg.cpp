// SPDX-License-Identifier: MIT
#include "reminders/reminders_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "basics/dialog_units.h"

namespace tally {
namespace {

QSpinBox* ValueBox(const char* name, const ReminderKey& key, const QString& suffix,
                   QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, key.maximum);
    box->setSuffix(suffix);
    box->setSpecialValueText("Off");
    return box;
}

}  // namespace

CRemindersDlg::CRemindersDlg(bool idleTimeAvailable, QWidget* parent)
    : QDialog(parent),
      m_idleMinutes(ValueBox("IdleMinutes", *FindReminderKey("IdleMinutes"), " minutes", this)),
      m_longDayHours(ValueBox("LongDayHours", *FindReminderKey("LongDayHours"), " hours", this)) {
    setObjectName("RemindersDlg");
    setWindowTitle("Reminders");
    setFont(DialogFont());
    auto* form = new QFormLayout;
    form->addRow("&Ask about time away after:", m_idleMinutes);
    form->addRow("Remind of a &long day after:", m_longDayHours);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const DialogUnits units;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addLayout(form);
    if (!idleTimeAvailable) {
        m_noIdleTime = new QLabel(
            "This desktop does not tell how long it has been without input: the question "
            "about time away is off, but for a suspend or a screen lock.",
            this);
        m_noIdleTime->setObjectName("NoIdleTime");
        m_noIdleTime->setWordWrap(true);
        layout->addWidget(m_noIdleTime);
    }
    layout->addWidget(buttons);
}

void CRemindersDlg::SetValues(const ReminderValues& values) {
    m_idleMinutes->setValue(values.idleMinutes);
    m_longDayHours->setValue(values.longDayHours);
}

ReminderValues CRemindersDlg::Values() const {
    return {m_idleMinutes->value(), m_longDayHours->value()};
}

}  // namespace tally
