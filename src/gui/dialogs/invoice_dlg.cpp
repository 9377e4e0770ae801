// SPDX-License-Identifier: MIT
#include "dialogs/invoice_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "basics/command_ids.h"
#include "basics/dialog_units.h"
#include "clients/client.h"
#include "controls/qf_date_time_ctrl.h"
#include "invoice/invoice.h"
#include "invoice/invoice_money.h"
#include "invoice/invoice_register.h"
#include "invoice/invoice_tax.h"
#include "invoice/issuing_flow.h"
#include "invoice/unbilled.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"
#include "time/local_time.h"

namespace tally {
namespace {

// The height the client's preview adds below the invoice box, in dialog units.
constexpr int kPreviewHeight = 30;

QString Money(std::int64_t cents, const std::string& currency) {
    return QString::fromStdString(DecimalText({cents, 2}, 2) + " " + currency);
}

}  // namespace

CInvoiceDlg::CInvoiceDlg(SettingsStore& store, const Clock& clock, QWidget* parent,
                         Reporter* reporter)
    : QDialog(parent),
      store_(store),
      clock_(clock),
      messageBoxes_(this),
      reporter_(reporter != nullptr ? *reporter : messageBoxes_),
      choosePdf_([this](const QString& proposed) -> std::optional<QString> {
          const QString path =
              QFileDialog::getSaveFileName(this, "Save as PDF", proposed, "PDF files (*.pdf)");
          if (path.isEmpty()) return std::nullopt;
          return path;
      }),
      rounding_{store.RoundingType(), store.RoundingUnit()} {
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

    ok_ = new QPushButton("OK", this);
    units.Place(ok_, 99, 177, 50, 14);
    ok_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    units.Place(cancel_, 165, 177, 50, 14);

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
    savePdf_ = new QPushButton("Save as &PDF...", this);
    units.Place(savePdf_, 43, 138, 69, 14);
    savePdf_->setEnabled(false);
    savePdf_->setToolTip(kNoClientTip);
    lines_ = new QComboBox(this);
    lines_->addItem("Per day", static_cast<int>(LineGrouping::PerDay));
    lines_->addItem("Whole period", static_cast<int>(LineGrouping::Period));
    lines_->setToolTip("One line per day billed, or one line for the whole period");
    lines_->setEnabled(false);
    label("&Lines:", 22, 159, lines_);
    units.Place(lines_, 63, 156, 59, 14);

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

    connect(ok_, &QPushButton::clicked, this, &CInvoiceDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CInvoiceDlg::reject);
    connect(generate, &QPushButton::clicked, this, &CInvoiceDlg::OnGenerateInvoice);
    connect(savePdf_, &QPushButton::clicked, this, &CInvoiceDlg::OnSaveAsPdf);
    connect(generateAction_, &QAction::triggered, this, &CInvoiceDlg::OnGenerateInvoice);

    // The first tab stop has the focus when the dialog opens.
    ok_->setFocus();
}

void CInvoiceDlg::SetDataFile(const std::string& path) {
    dataFile_ = path;
    const std::vector<Client> clients = ReadClients(store_.Raw());
    const Client* client = ClientOfLog(clients, path);
    savePdf_->setEnabled(client != nullptr);
    lines_->setEnabled(client != nullptr);
    if (client == nullptr) {
        savePdf_->setToolTip(kNoClientTip);
        return;
    }
    savePdf_->setToolTip(QString("Issue these days to %1 as a numbered PDF invoice")
                             .arg(QString::fromStdString(client->name)));
    if (client->rate) m_editRate->setText(RateToText(*client->rate));
    issuer_ = ReadIssuer(store_.Raw());
    client_ = *client;
    ShowClient(*client);
    StartAtUnbilledDays(*client);
    UpdatePreview();
}

void CInvoiceDlg::ShowClient(const Client& client) {
    if (clientBox_ == nullptr) {
        const DialogUnits units;
        setFixedSize(units.X(316), units.Y(198 + kPreviewHeight));
        units.Place(ok_, 99, 177 + kPreviewHeight, 50, 14);
        units.Place(cancel_, 165, 177 + kPreviewHeight, 50, 14);
        clientBox_ = new QLabel(this);
        clientBox_->setAccessibleName("Client");
        units.Place(clientBox_, 7, 7, 120, 36);
        preview_ = new QLabel(this);
        preview_->setAccessibleName("Preview");
        preview_->setAccessibleDescription("The subtotal, tax and total the PDF invoice shows");
        units.Place(preview_, 132, 163, 177, kPreviewHeight - 4);
        for (QLabel* l : {clientBox_, preview_}) {
            l->setTextFormat(Qt::PlainText);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setTextInteractionFlags(Qt::TextSelectableByMouse);
            l->show();
        }
        connect(m_editRate, &QLineEdit::textChanged, this, &CInvoiceDlg::UpdatePreview);
        connect(m_dtStart, &QDateTimeEdit::dateChanged, this, &CInvoiceDlg::UpdatePreview);
        connect(m_dtEnd, &QDateTimeEdit::dateChanged, this, &CInvoiceDlg::UpdatePreview);
        connect(lines_, &QComboBox::currentIndexChanged, this, &CInvoiceDlg::UpdatePreview);
    }
    clientBox_->setText(QString("Client: %1\nCurrency: %2\nTax: %3")
                            .arg(QString::fromStdString(client.name),
                                 QString::fromStdString(client.currency),
                                 TaxTreatmentTitle(client.treatment)));
}

void CInvoiceDlg::StartAtUnbilledDays(const Client& client) {
    // A register that cannot be read leaves both dates at today; Save as PDF says why.
    const RegisterRead read = ReadRegister(ReadInvoiceSettings(store_.Raw()).registerPath);
    if (!read.Ok()) return;
    const CalendarDate today = LocalDateOf(clock_.Now());
    const std::optional<Unbilled> unbilled =
        UnbilledTime(read.reg, client, today, RateFromText(m_editRate->text()), rounding_, issuer_);
    if (!unbilled) return;
    // Never invoiced: from the first day worked; invoiced ahead of today: nothing to propose.
    std::optional<CalendarDate> first = unbilled->since;
    if (!first && !unbilled->money.lines.empty()) first = unbilled->money.lines.front().date;
    if (!first || DaysOf(*first) > DaysOf(today)) return;
    m_dtStart->SetDateTime(QDateTime(QDate(first->year, first->month, first->day), QTime(0, 0)));
}

void CInvoiceDlg::UpdatePreview() {
    if (!client_) return;
    const double taxPercent = TaxOf(*client_, issuer_).percent;
    const std::optional<InvoiceFigures> figures =
        ComputeInvoice(dataFile_, First(), Last(), RateFromText(m_editRate->text()), rounding_);
    if (!figures) {
        preview_->setText("The time log cannot be read.");
        return;
    }
    const InvoiceMoney money = MoneyOf(*figures, taxPercent, Grouping());
    const std::string& currency = client_->currency;
    preview_->setText(QString("Subtotal: %1\nTax (%2 %): %3\nTotal: %4")
                          .arg(Money(money.subtotalCents, currency),
                               QString::fromStdString(FormatC("%g", taxPercent)),
                               Money(money.taxCents, currency), Money(money.totalCents, currency)));
}

LineGrouping CInvoiceDlg::Grouping() const {
    return static_cast<LineGrouping>(lines_->currentData().toInt());
}

QString CInvoiceDlg::InvoiceText() const {
    return invoiceBox_->toPlainText();
}

void CInvoiceDlg::OnGenerateInvoice() {
    // The rate in the box now, not the one stored when the dialog opened.
    const double rate = RateFromText(m_editRate->text());
    const std::optional<std::string> text =
        GenerateInvoice(dataFile_, First(), Last(), rate, rounding_);
    // A log that cannot be opened leaves the box as it was.
    if (!text) return;
    QString shown = QString::fromStdString(*text);
    shown.remove('\r');
    invoiceBox_->setPlainText(shown);
}

CalendarDate CInvoiceDlg::First() const {
    const QDate date = m_dtStart->date();
    return {date.year(), date.month(), date.day()};
}

CalendarDate CInvoiceDlg::Last() const {
    const QDate date = m_dtEnd->date();
    return {date.year(), date.month(), date.day()};
}

}  // namespace tally
