// SPDX-License-Identifier: MIT
#include "dialogs/invoices_dlg.h"

#include <QDateEdit>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <ctime>

#include "basics/dialog_units.h"
#include "clients/client.h"
#include "documents/invoice_drawing.h"
#include "invoice/invoice_issue.h"
#include "invoice/issuing_flow.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"
#include "time/calendar_date.h"

namespace tally {
namespace {

enum Column { kNumber, kClient, kDays, kIssued, kDue, kHours, kTotal, kState, kColumns };

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Day(const CalendarDate& date) {
    return Text(IsoDayText(date));
}

QStringList RowOf(const InvoiceEntry& e, const CalendarDate& today) {
    const QString hours = Text(FormatC("%lld:%02lld", static_cast<long long>(e.seconds / 3600),
                                       static_cast<long long>(e.seconds % 3600 / 60)));
    return {Text(e.number),
            Text(e.client),
            Day(e.first) + QString::fromUtf8(" \u2013 ") + Day(e.last),
            Day(e.issued),
            Day(e.due),
            hours,
            Text(FormatC("%.2f ", e.total) + e.currency),
            Text(StateText(e, today))};
}

std::optional<QDate> AskPaidOn(QWidget* parent, const QString& number, QDate proposed) {
    QDialog dialog(parent);
    dialog.setWindowTitle("Mark Paid");
    auto* date = new QDateEdit(proposed, &dialog);
    date->setDisplayFormat("yyyy-MM-dd");
    date->setCalendarPopup(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel("Invoice " + number + " was paid on the day below.", &dialog));
    form->addRow("&Paid on:", date);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return date->date();
}

bool Confirm(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, kApplicationName, question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

// xdg-email exits 0 once the mail program has the message; anything else, or no xdg-email at
// all (execute gives -2), means no mail program took it.
bool RunProgram(const QString& program, const QStringList& args) {
    return QProcess::execute(program, args) == 0;
}

}  // namespace

CInvoicesDlg::CInvoicesDlg(SettingsStore& store, const Clock& clock, QWidget* parent,
                           Reporter* reporter)
    : QDialog(parent),
      store_(store),
      clock_(clock),
      messageBoxes_(this),
      reporter_(reporter != nullptr ? *reporter : messageBoxes_),
      prompts_{AskPaidOn, Confirm, [](const QUrl& url) { return QDesktopServices::openUrl(url); }},
      runMail_(RunProgram),
      chooseXml_([this](const QString& proposed) -> std::optional<QString> {
          const QString path =
              QFileDialog::getSaveFileName(this, "Save XML", proposed, "XML files (*.xml)");
          if (path.isEmpty()) return std::nullopt;
          return path;
      }),
      registerPath_(ReadInvoiceSettings(store.Raw()).registerPath) {
    setWindowTitle("Invoices");
    setFont(DialogFont());
    CreateControls();
    Reload();
}

void CInvoicesDlg::CreateControls() {
    problem_ = new QLabel(this);
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    list_ = new QTreeWidget(this);
    list_->setAccessibleName("Invoices");
    list_->setAccessibleDescription(
        "The invoice register, one invoice a row, with its state today");
    list_->setColumnCount(kColumns);
    list_->setHeaderLabels(
        {"Number", "Client", "Days", "Issued", "Due", "Hours", "Total", "State"});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setSectionsMovable(false);
    list_->headerItem()->setTextAlignment(kHours, Qt::AlignRight);
    list_->headerItem()->setTextAlignment(kTotal, Qt::AlignRight);

    markPaid_ = new QPushButton("Mark &Paid...", this);
    cancelInvoice_ = new QPushButton("&Cancel Invoice...", this);
    openPdf_ = new QPushButton("&Open PDF", this);
    sendEmail_ = new QPushButton("Send by &E-mail...", this);
    saveXml_ = new QPushButton("Save &XML...", this);
    saveXml_->setToolTip("Save the e-invoice XML that the invoice's PDF carries");
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {markPaid_, cancelInvoice_, openPdf_, sendEmail_, saveXml_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problem_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    const DialogUnits units;
    resize(units.X(460), units.Y(200));

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CInvoicesDlg::UpdateButtons);
    connect(list_, &QTreeWidget::itemActivated, this, &CInvoicesDlg::OnOpenPdf);
    connect(markPaid_, &QPushButton::clicked, this, &CInvoicesDlg::OnMarkPaid);
    connect(cancelInvoice_, &QPushButton::clicked, this, &CInvoicesDlg::OnCancelInvoice);
    connect(openPdf_, &QPushButton::clicked, this, &CInvoicesDlg::OnOpenPdf);
    connect(sendEmail_, &QPushButton::clicked, this, &CInvoicesDlg::OnSendByEmail);
    connect(saveXml_, &QPushButton::clicked, this, &CInvoicesDlg::OnSaveXml);
    connect(close, &QPushButton::clicked, this, &CInvoicesDlg::accept);
}

void CInvoicesDlg::Reload() {
    const InvoiceEntry* selected = Selected();
    const std::string keep = selected != nullptr ? selected->number : std::string();
    read_ = ReadRegister(registerPath_);
    list_->clear();
    if (!read_.Ok()) {
        // Nothing is listed from a register that is read wrong; mended by hand, it reads again.
        problem_->setText(Text(read_.problem));
    } else if (read_.reg.Entries().empty()) {
        problem_->setText("No invoice issued yet (register " + Text(registerPath_) + ").");
    } else {
        problem_->setText("Register " + Text(registerPath_));
        const CalendarDate today = LocalDateOf(clock_.Now());
        for (const InvoiceEntry& entry : read_.reg.Entries()) {
            auto* item = new QTreeWidgetItem(list_, RowOf(entry, today));
            item->setTextAlignment(kHours, Qt::AlignRight);
            item->setTextAlignment(kTotal, Qt::AlignRight);
        }
        for (int column = 0; column < kColumns; ++column) list_->resizeColumnToContents(column);
    }
    list_->setEnabled(read_.Ok());
    if (!keep.empty()) Select(keep);
    UpdateButtons();
}

bool CInvoicesDlg::Select(const std::string& number) {
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list_->topLevelItem(row);
        if (item->text(kNumber) == Text(number)) {
            list_->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

const InvoiceEntry* CInvoicesDlg::Selected() const {
    if (list_ == nullptr || !read_.Ok()) return nullptr;
    const QList<QTreeWidgetItem*> items = list_->selectedItems();
    if (items.isEmpty()) return nullptr;
    return read_.reg.Find(items.front()->text(kNumber).toStdString());
}

void CInvoicesDlg::UpdateButtons() {
    const InvoiceEntry* entry = Selected();
    const bool open = entry != nullptr && BillsItsDays(*entry);
    // A paid invoice may be marked again, to correct its day.
    markPaid_->setEnabled(open);
    cancelInvoice_->setEnabled(open);
    openPdf_->setEnabled(entry != nullptr);
    sendEmail_->setEnabled(entry != nullptr);
    saveXml_->setEnabled(entry != nullptr && entry->hasXml);
}

void CInvoicesDlg::ReportChange(const std::string& error) {
    if (!error.empty()) reporter_.Report({error, kErrorCaption, MessageIcon::Stop});
    Reload();
}

void CInvoicesDlg::OnMarkPaid() {
    const InvoiceEntry* entry = Selected();
    if (entry == nullptr) return;
    const std::string number = entry->number;
    const CalendarDate today = LocalDateOf(clock_.Now());
    const std::optional<QDate> paid =
        prompts_.paidOn(this, Text(number), QDate(today.year, today.month, today.day));
    if (!paid) return;
    ReportChange(
        MarkInvoicePaid(registerPath_, number, {paid->year(), paid->month(), paid->day()}, today)
            .error);
}

void CInvoicesDlg::OnCancelInvoice() {
    const InvoiceEntry* entry = Selected();
    if (entry == nullptr) return;
    const std::string number = entry->number;
    const QString question =
        QString(
            "Cancel invoice %1 to %2 (%3 to %4) with a credit note? Its days can then be "
            "billed again; its number is never used again.")
            .arg(Text(number), Text(entry->client), Day(entry->first), Day(entry->last));
    if (!prompts_.confirm(this, question)) return;
    // The store as it is now, for an invoice issued before documents were kept.
    QSettings& settings = store_.Raw();
    const InvoiceSettings invoices = ReadInvoiceSettings(settings);
    if (const std::string problem = StoredFormatProblem(invoices); !problem.empty())
        return ReportChange(problem);
    PdfCreditOrder order;
    order.number = number;
    order.issued = LocalDateOf(clock_.Now());
    order.clients = ReadClients(settings);
    order.issuer = ReadIssuer(settings);
    order.optionsRate = RateFromText(store_.RateText());
    order.rounding = {store_.RoundingType(), store_.RoundingUnit()};
    // The credit note's PDF goes into the archive, where Open PDF finds it.
    const RegisterChange note = IssueCreditNote(
        registerPath_, {invoices.creditFormat, ""}, order,
        [](const InvoiceDocument& document, const std::string& facturXml, const std::string& path,
           std::string& error) { return WriteInvoicePdf(document, facturXml, path, error); });
    if (note.ok) {
        reporter_.Report(
            {"Invoice " + number + " is cancelled by credit note " + note.entry.number + ".",
             kApplicationName, MessageIcon::Information});
    }
    ReportChange(note.error);
    Select(note.ok ? note.entry.number : number);
}

}  // namespace tally
