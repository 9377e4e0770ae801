// SPDX-License-Identifier: MIT
#include "dialogs/clients_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "basics/dialog_units.h"
#include "dialogs/client_form_boxes.h"
#include "dialogs/client_form_dlg.h"
#include "dialogs/issuer_form_dlg.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "time/c_format.h"

namespace tally {
namespace {

// "Standard 19 %", "Reverse charge", ...
QString TreatmentText(const Client& c) {
    if (c.treatment != TaxTreatment::Standard) return TaxTreatmentTitle(c.treatment);
    return Q(std::string(TaxTreatmentTitle(c.treatment)) + FormatC(" %g %%", c.taxPercent));
}

bool AskYesNo(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, kClientsCaption, question) == QMessageBox::Yes;
}

}  // namespace

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
