// SPDX-License-Identifier: MIT
#include "dialogs/clients_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "clients/client_values.h"
#include "core/c_format.h"
#include "core/messages.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "widgets/dialog_units.h"

namespace tally {
namespace {

constexpr const char* kClientsCaption = "Clients";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* TextBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

// A box for a few lines of text, as tall as the lines given.
QPlainTextEdit* LinesBox(const char* name, int lines, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    // Tab moves on, as in every other box; Enter starts a new line.
    box->setTabChangesFocus(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // its lines wrap
    box->setFixedHeight(DialogUnits().Y(12 * lines + 4));
    return box;
}

QString Trimmed(const QLineEdit* box) {
    return box->text().trimmed();
}

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

// "Standard 19 %", "Reverse charge", ...
QString TreatmentText(const Client& c) {
    if (c.treatment != TaxTreatment::Standard) return TaxTreatmentTitle(c.treatment);
    return Q(std::string(TaxTreatmentTitle(c.treatment)) + FormatC(" %g %%", c.taxPercent));
}

bool AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, kClientsCaption, question) == QMessageBox::Yes;
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

CIssuerFormDlg::CIssuerFormDlg(std::vector<Client> clients, Reporter& reporter, QWidget* parent)
    : QDialog(parent), clients_(std::move(clients)), reporter_(reporter) {
    setObjectName("IssuerFormDlg");
    setWindowTitle("Issuer");
    setFont(DialogFont());
    const DialogUnits units;

    name_ = TextBox("IssuerName", this);
    address_ = LinesBox("IssuerAddress", 4, this);
    country_ = TextBox("IssuerCountry", this);
    country_->setPlaceholderText("DE, FR, CH, ...");
    email_ = TextBox("IssuerEmail", this);
    phone_ = TextBox("IssuerPhone", this);
    taxId_ = TextBox("IssuerTaxId", this);
    vatId_ = TextBox("IssuerVatId", this);
    bank_ = LinesBox("IssuerBank", 2, this);
    iban_ = TextBox("IssuerIban", this);
    bic_ = TextBox("IssuerBic", this);
    // Two lines: the invoice prints the terms line by line.
    terms_ = LinesBox("IssuerTerms", 2, this);
    smallBusiness_ = new QCheckBox("Exempt from VAT as a &small business", this);
    smallBusiness_->setObjectName("IssuerSmallBusiness");
    smallBusinessNote_ = TextBox("IssuerSmallBusinessNote", this);
    smallBusinessNote_->setPlaceholderText("the note every invoice then carries");
    logo_ = TextBox("IssuerLogo", this);
    auto* browse = new QPushButton("Bro&wse...", this);
    name_->setMinimumWidth(units.X(180));
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(logo_, 1);
    logoRow->addWidget(browse);
    auto* logoLabel = new QLabel("&Logo:", this);
    logoLabel->setBuddy(logo_);

    auto* form = new QFormLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {"Your &name:", name_},
        {"&Address:", address_},
        {"&Country:", country_},
        {"&E-mail:", email_},
        {"P&hone:", phone_},
        {"Ta&x number:", taxId_},
        {"&VAT id:", vatId_},
        {"Ban&k:", bank_},
        {"&IBAN:", iban_},
        {"&BIC:", bic_},
        {"&Payment terms:", terms_},
        {"", smallBusiness_},
        {"Exemption n&ote:", smallBusinessNote_},
    };
    for (const auto& [text, box] : rows) {
        form->addRow(text, box);  // the label is the box's buddy
        if (*text != '\0') box->setAccessibleName(QString(text).remove('&').remove(':'));
    }
    form->addRow(logoLabel, logoRow);
    logo_->setAccessibleName("Logo");
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getOpenFileName(this, "Logo", logo_->text(),
                                                            "Images (*.png *.jpg *.jpeg *.svg)");
        if (!chosen.isEmpty()) logo_->setText(chosen);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CIssuerFormDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->setSpacing(units.Y(7));
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CIssuerFormDlg::SetIssuer(const Issuer& issuer) {
    const std::pair<QLineEdit*, const std::string&> lines[] = {
        {name_, issuer.name},
        {country_, issuer.country},
        {email_, issuer.email},
        {phone_, issuer.phone},
        {taxId_, issuer.taxId},
        {vatId_, issuer.vatId},
        {iban_, issuer.iban},
        {bic_, issuer.bic},
        {smallBusinessNote_, issuer.smallBusinessNote},
        {logo_, issuer.logo}};
    for (const auto& [box, text] : lines) box->setText(Q(text));
    address_->setPlainText(Q(issuer.address));
    bank_->setPlainText(Q(issuer.bank));
    terms_->setPlainText(Q(issuer.terms));
    smallBusiness_->setChecked(issuer.smallBusiness);
}

Issuer CIssuerFormDlg::Result() const {
    Issuer issuer;
    const std::pair<QLineEdit*, std::string Issuer::*> lines[] = {
        {name_, &Issuer::name},
        {country_, &Issuer::country},
        {email_, &Issuer::email},
        {phone_, &Issuer::phone},
        {taxId_, &Issuer::taxId},
        {vatId_, &Issuer::vatId},
        {iban_, &Issuer::iban},
        {bic_, &Issuer::bic},
        {smallBusinessNote_, &Issuer::smallBusinessNote},
        {logo_, &Issuer::logo}};
    for (const auto& [box, field] : lines) issuer.*field = Trimmed(box).toStdString();
    issuer.address = address_->toPlainText().toStdString();
    issuer.bank = bank_->toPlainText().toStdString();
    issuer.terms = terms_->toPlainText().toStdString();
    issuer.smallBusiness = smallBusiness_->isChecked();
    CompactIds(issuer);
    return issuer;
}

void CIssuerFormDlg::accept() {
    if (const std::string problem = IssuerProblem(Result(), clients_); !problem.empty()) {
        reporter_.Report(
            {"The issuer was not stored: " + problem + ".", kClientsCaption, MessageIcon::Warning});
        return;
    }
    QDialog::accept();
}

CClientsDlg::CClientsDlg(SettingsStore& store, Reporter& reporter, QWidget* parent)
    : QDialog(parent),
      store_(store),
      reporter_(reporter),
      confirm_([this](const QString& question) { return AskYesNo(this, question); }),
      chooseFile_(ChooseDataFile) {
    setObjectName("ClientsDlg");
    setWindowTitle(kClientsCaption);
    setFont(DialogFont());
    const DialogUnits units;

    list_ = new QTreeWidget(this);
    list_->setObjectName("ClientList");
    list_->setAccessibleName("Clients");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({"Name", "Rate", "Currency", "Tax Treatment", "Time Log"});
    list_->setMinimumSize(units.X(360), units.Y(90));
    auto* label = new QLabel("&Clients:", this);
    label->setBuddy(list_);

    auto* add = new QPushButton("&Add...", this);
    edit_ = new QPushButton("&Edit...", this);
    remove_ = new QPushButton("&Remove", this);
    auto* issuer = new QPushButton("&Issuer...", this);
    issuer->setToolTip("Your name, address and bank details, as every invoice shows them");
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add, edit_, remove_}) buttons->addWidget(button);
    buttons->addSpacing(units.Y(7));
    buttons->addWidget(issuer);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    layout->addWidget(label);
    layout->addLayout(row);

    connect(add, &QPushButton::clicked, this, &CClientsDlg::OnAdd);
    connect(edit_, &QPushButton::clicked, this, &CClientsDlg::OnEdit);
    connect(remove_, &QPushButton::clicked, this, &CClientsDlg::OnRemove);
    connect(issuer, &QPushButton::clicked, this, &CClientsDlg::OnIssuer);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemActivated, this, &CClientsDlg::OnEdit);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        edit_->setEnabled(Selected() != nullptr);
        remove_->setEnabled(Selected() != nullptr);
    });
    Refill({});
}

void CClientsDlg::Refill(const std::string& select) {
    clients_ = ReadClients(store_.Raw());
    list_->clear();
    for (const Client& c : clients_) {
        auto* item = new QTreeWidgetItem(
            list_, {Q(c.name), c.rate ? RateToText(*c.rate) : QString("Options"), Q(c.currency),
                    TreatmentText(c), Q(c.log)});
        if (c.name == select) list_->setCurrentItem(item);
    }
    if (list_->currentItem() == nullptr && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    for (int column = 0; column < list_->columnCount() - 1; ++column)
        list_->resizeColumnToContents(column);
    edit_->setEnabled(Selected() != nullptr);
    remove_->setEnabled(Selected() != nullptr);
}

const Client* CClientsDlg::Selected() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row >= 0 && row < static_cast<int>(clients_.size()) ? &clients_[row] : nullptr;
}

void CClientsDlg::OnAdd() {
    Client fresh;
    fresh.currency = DefaultCurrency();
    RunFormFor(fresh, {});
}

void CClientsDlg::OnEdit() {
    if (const Client* client = Selected()) RunFormFor(Client(*client), client->name);
}

void CClientsDlg::RunFormFor(const Client& start, const std::string& replacing) {
    // Checked against the store as it is now: tally client may have changed it meanwhile.
    CClientFormDlg form(ReadClients(store_.Raw()), replacing, ReadIssuer(store_.Raw()).country,
                        reporter_, this);
    form.SetFileChooser(chooseFile_);
    form.SetClient(start);
    if (form.exec() != QDialog::Accepted) return;
    const Client& client = form.Result();
    ReportChange(ChangeClient(store_, client, replacing));
    Refill(client.name);
}

void CClientsDlg::OnRemove() {
    const Client* client = Selected();
    if (client == nullptr) return;
    const std::string name = client->name;
    const QString question = QString("Remove the client %1? Its time log %2 stays where it is.")
                                 .arg(Q(name), Q(client->log));
    if (!confirm_(question)) return;
    ReportChange(ChangeClient(store_, std::nullopt, name));  // never its log
    Refill({});
}

void CClientsDlg::OnIssuer() {
    CIssuerFormDlg form(ReadClients(store_.Raw()), reporter_, this);
    form.SetIssuer(ReadIssuer(store_.Raw()));
    if (form.exec() != QDialog::Accepted) return;
    const ClientStoreChange change = ChangeIssuer(store_, form.Result());
    if (change.result != ClientStoreChange::Result::Stored)
        reporter_.Report({"The issuer was not stored: " + change.reason + ".", kClientsCaption,
                          MessageIcon::Warning});
}

void CClientsDlg::ReportChange(const ClientStoreChange& change) {
    if (change.result == ClientStoreChange::Result::Stored) return;
    reporter_.Report({"The clients were not changed: " + change.reason + ".", kClientsCaption,
                      MessageIcon::Warning});
}

}  // namespace tally
