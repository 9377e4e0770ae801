// SPDX-License-Identifier: MIT
#include "dialogs/issuer_form_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "basics/dialog_units.h"
#include "dialogs/client_form_boxes.h"
#include "settings/client_store.h"

namespace tally {
namespace {

QString Trimmed(const QLineEdit* box) {
    return box->text().trimmed();
}

}  // namespace

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

}  // namespace tally
