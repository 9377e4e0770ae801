#include "ui/reminders/idle_time_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/dialog_units.h"

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
    m_text->setWordWrap(true);
    // Keeping the time is the answer that changes nothing: Enter and Escape both give it.
    m_keep->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_keep, QDialogButtonBox::RejectRole);
    buttons->addButton(m_clockOut, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const DialogUnits units;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tally
