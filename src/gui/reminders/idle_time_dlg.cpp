// SPDX-License-Identifier: MIT
#include "reminders/idle_time_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "basics/dialog_units.h"

namespace tally {

CIdleTimeDlg::CIdleTimeDlg(const AwayTime& away, QWidget* parent)
    : QDialog(parent),
      m_away(away),
      m_text(new QLabel(QString::fromStdString(AwayText(away)), this)),
      m_keep(new QPushButton("&Keep the Time", this)),
      m_clockOut(new QPushButton("&Clock Out When I Left", this)) {
    setObjectName("IdleTimeDlg");
    setWindowTitle("Idle Time");
    setFont(DialogFont());
    m_text->setTextFormat(Qt::PlainText);
    // Keeping the time is the answer that changes nothing: it comes first, has the focus, and
    // Enter and Escape both give it. Clocking out takes a click or its mnemonic.
    m_keep->setDefault(true);
    m_clockOut->setAutoDefault(false);
    connect(m_keep, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_clockOut, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_keep);
    buttons->addWidget(m_clockOut);
    const DialogUnits units;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    m_keep->setFocus();
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tally
