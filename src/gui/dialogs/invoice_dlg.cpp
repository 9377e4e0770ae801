// SPDX-License-Identifier: MIT
#include "dialogs/invoice_dlg.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "controls/qf_date_time_ctrl.h"
#include "invoice/invoice.h"
#include "widgets/command_ids.h"
#include "widgets/dialog_units.h"

namespace tally {
namespace {

CalendarDate DateOf(const CQFDateTimeCtrl& picker) {
    const QDate date = picker.date();
    return {date.year(), date.month(), date.day()};
}

}  // namespace

CInvoiceDlg::CInvoiceDlg(SettingsStore& store, const Clock& clock, QWidget* parent)
    : QDialog(parent), rounding_{store.RoundingType(), store.RoundingUnit()} {
    setWindowTitle("Invoice");
    setFont(DialogFont());
    CreateControls();
    m_editRate->setText(store.RateText());
    m_dtStart->SetFormat(kInvoicePickerFormat);
    m_dtEnd->SetFormat(kInvoicePickerFormat);
    const TimeValue now = clock.Now();
    m_dtStart->SetDateTime(now);
    m_dtEnd->SetDateTime(now);
}

void CInvoiceDlg::CreateControls() {
    const DialogUnits units;
    setFixedSize(units.X(316), units.Y(198));

    auto* ok = new QPushButton("OK", this);
    units.Place(ok, 99, 177, 50, 14);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    units.Place(cancel, 165, 177, 50, 14);

    // Each label names its control for a screen reader.
    auto label = [&](const char* text, int x, int y, QWidget* control) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        l->setBuddy(control);
        units.Place(l, x, y, 35, 8);
    };
    m_editRate = new QLineEdit(this);
    label("Rate:", 22, 51, m_editRate);
    units.Place(m_editRate, 63, 48, 40, 14);
    m_dtStart = new CQFDateTimeCtrl(this, PickerStyle::UpDown);
    label("Start Date:", 22, 71, m_dtStart);
    m_dtStart->SetDlgCtrlID(1006);
    units.Place(m_dtStart, 63, 69, 59, 15);
    m_dtEnd = new CQFDateTimeCtrl(this, PickerStyle::UpDown);
    label("End Date:", 22, 95, m_dtEnd);
    m_dtEnd->SetDlgCtrlID(1007);
    units.Place(m_dtEnd, 63, 92, 60, 15);
    auto* generate = new QPushButton("Generate Invoice", this);
    units.Place(generate, 43, 118, 69, 14);

    invoiceBox_ = new QPlainTextEdit(this);
    units.Place(invoiceBox_, 132, 7, 177, 152);
    invoiceBox_->setReadOnly(true);
    invoiceBox_->setAccessibleName("Invoice");
    invoiceBox_->setAccessibleDescription("The invoice text that Generate Invoice writes");
    // Read-only, but the text can still be selected and copied from the keyboard.
    invoiceBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    invoiceBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    invoiceBox_->setTabChangesFocus(true);

    generateAction_ = new QAction("Generate Invoice", this);
    generateAction_->setData(ID_GENERATE_INVOICE);
    addAction(generateAction_);

    connect(ok, &QPushButton::clicked, this, &CInvoiceDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CInvoiceDlg::reject);
    connect(generate, &QPushButton::clicked, this, &CInvoiceDlg::OnGenerateInvoice);
    connect(generateAction_, &QAction::triggered, this, &CInvoiceDlg::OnGenerateInvoice);

    // The first tab stop has the focus when the dialog opens.
    ok->setFocus();
}

QString CInvoiceDlg::InvoiceText() const {
    return invoiceBox_->toPlainText();
}

void CInvoiceDlg::OnGenerateInvoice() {
    // The rate in the box now, not the one stored when the dialog opened.
    const double rate = RateFromText(m_editRate->text());
    const std::optional<std::string> text =
        GenerateInvoice(dataFile_, DateOf(*m_dtStart), DateOf(*m_dtEnd), rate, rounding_);
    // A log that cannot be opened leaves the box as it was.
    if (!text) return;
    QString shown = QString::fromStdString(*text);
    shown.remove('\r');
    invoiceBox_->setPlainText(shown);
}

}  // namespace tally
