// SPDX-License-Identifier: MIT
#include "dialogs/client_form_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

#include "basics/dialog_units.h"
#include "clients/client_values.h"
#include "dialogs/client_form_boxes.h"
#include "log/messages.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"

namespace tally {
namespace {

// Why the typed path cannot be a client's time log; empty when it can.
std::string LogProblem(const QString& path) {
    if (path.isEmpty()) return "a client needs a time log";
    const QFileInfo file(path);
    if (!file.isAbsolute())
        return "the time log must be a full path, not " + path.toStdString() +
               " (Browse chooses one)";
    if (file.exists() && !file.isFile()) return path.toStdString() + " is not a regular file";
    if (!file.absoluteDir().exists())
        return "the folder of " + path.toStdString() + " does not exist";
    return {};
}

}  // namespace

CClientFormDlg::CClientFormDlg(std::vector<Client> others, std::string replacing,
                               std::string issuerCountry, Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      others_(std::move(others)),
      replacing_(std::move(replacing)),
      issuerCountry_(std::move(issuerCountry)),
      reporter_(reporter),
      chooseFile_(ChooseDataFile) {
    setObjectName("ClientFormDlg");
    setWindowTitle(replacing_.empty() ? "New Client" : "Client");
    setFont(DialogFont());

    name_ = TextBox("Name", this);
    log_ = TextBox("Log", this);
    auto* browse = new QPushButton("&Browse...", this);
    rate_ = TextBox("Rate", this);
    rate_->setPlaceholderText("the Options rate");
    currency_ = TextBox("Currency", this);
    currency_->setMaxLength(3);
    tax_ = TextBox("Tax", this);
    address_ = LinesBox("Address", 4, this);
    days_ = new QSpinBox(this);
    days_->setObjectName("PaymentDays");
    days_->setRange(0, kMaxPaymentDays);
    number_ = TextBox("Number", this);
    country_ = TextBox("Country", this);
    country_->setPlaceholderText("DE, FR, CH, ...");
    vatId_ = TextBox("VatId", this);
    reference_ = TextBox("Reference", this);
    reference_->setPlaceholderText("purchase order or routing id");
    language_ = new QComboBox(this);
    language_->setObjectName("Language");
    for (const char* language : kInvoiceLanguages) language_->addItem(language, language);
    service_ = TextBox("Service", this);
    service_->setPlaceholderText("Software development");
    treatment_ = new QComboBox(this);
    treatment_->setObjectName("Treatment");
    for (const TaxTreatment t : {TaxTreatment::Standard, TaxTreatment::ReverseCharge,
                                 TaxTreatment::Exempt, TaxTreatment::OutsideScope})
        treatment_->addItem(TaxTreatmentTitle(t), TaxTreatmentName(t));
    taxNote_ = TextBox("TaxNote", this);
    taxNote_->setPlaceholderText("why the invoice is exempt");
    einvoice_ = new QCheckBox("E-&invoices only: refuse an invoice that cannot be one", this);
    einvoice_->setObjectName("EInvoice");

    const DialogUnits units;
    auto* logRow = new QHBoxLayout;
    logRow->addWidget(log_, 1);
    logRow->addWidget(browse);
    auto* logLabel = new QLabel("Time &log:", this);
    logLabel->setBuddy(log_);

    auto* form = new QFormLayout;
    form->addRow("&Name:", name_);
    form->addRow(logLabel, logRow);
    form->addRow("&Rate:", rate_);
    form->addRow("C&urrency:", currency_);
    form->addRow("&Tax %:", tax_);
    form->addRow("Billing &address:", address_);
    form->addRow("&Payment days:", days_);
    form->addRow("Client nu&mber:", number_);
    form->addRow("Countr&y:", country_);
    form->addRow("&VAT id:", vatId_);
    form->addRow("Buyer re&ference:", reference_);
    form->addRow("Lan&guage:", language_);
    form->addRow("&Service:", service_);
    form->addRow("Tax tr&eatment:", treatment_);
    form->addRow("Exemption n&ote:", taxNote_);
    form->addRow(einvoice_);
    log_->setMinimumWidth(units.X(160));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CClientFormDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] {
        if (const auto chosen = chooseFile_(log_->text())) log_->setText(*chosen);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addLayout(form);
    layout->addWidget(buttons);

    Client fresh;
    fresh.currency = DefaultCurrency();
    SetClient(fresh);
}

void CClientFormDlg::SetClient(const Client& c) {
    name_->setText(Q(c.name));
    log_->setText(Q(c.log));
    rate_->setText(c.rate ? RateToText(*c.rate) : QString());
    currency_->setText(Q(c.currency));
    tax_->setText(Q(FormatC("%g", c.taxPercent)));
    address_->setPlainText(Q(c.address));
    days_->setValue(c.paymentDays);
    number_->setText(Q(c.number));
    country_->setText(Q(c.country));
    vatId_->setText(Q(c.vatId));
    reference_->setText(Q(c.reference));
    language_->setCurrentIndex(language_->findData(Q(c.language)));
    service_->setText(Q(c.service));
    treatment_->setCurrentIndex(treatment_->findData(TaxTreatmentName(c.treatment)));
    taxNote_->setText(Q(c.taxNote));
    einvoice_->setChecked(c.einvoice);
}

std::string CClientFormDlg::Take(Client& c) const {
    c.name = name_->text().trimmed().toStdString();
    const QString log = log_->text().trimmed();
    if (std::string problem = LogProblem(log); !problem.empty()) return problem;
    c.log = QDir::cleanPath(log).toStdString();
    if (std::string problem = SetClientValue(c, "rate", rate_->text().trimmed().toStdString());
        !problem.empty())
        return problem;
    c.currency = currency_->text().trimmed().toStdString();
    const std::string tax = tax_->text().trimmed().toStdString();
    if (std::string problem = SetClientValue(c, "tax", tax.empty() ? "0" : tax); !problem.empty())
        return problem;
    c.address = address_->toPlainText().toStdString();
    c.paymentDays = days_->value();
    c.number = number_->text().trimmed().toStdString();
    c.country = country_->text().toStdString();
    c.vatId = vatId_->text().toStdString();
    CompactIds(c);
    c.reference = reference_->text().trimmed().toStdString();
    c.language = language_->currentData().toString().toStdString();
    c.service = service_->text().trimmed().toStdString();
    c.treatment = ParseTaxTreatment(treatment_->currentData().toString().toStdString())
                      .value_or(TaxTreatment::Standard);
    c.taxNote = taxNote_->text().trimmed().toStdString();
    c.einvoice = einvoice_->isChecked();
    return ClientConflict(others_, c, replacing_, issuerCountry_);
}

void CClientFormDlg::accept() {
    Client client;
    if (const std::string problem = Take(client); !problem.empty()) {
        reporter_.Report(
            {"The client was not stored: " + problem + ".", kClientsCaption, MessageIcon::Warning});
        return;
    }
    result_ = std::move(client);
    QDialog::accept();
}

}  // namespace tally
