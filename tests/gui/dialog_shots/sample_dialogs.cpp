// SPDX-License-Identifier: MIT
#include "sample_dialogs.h"

#include <QPushButton>
#include <QTreeView>

#include "controls/qf_date_time_ctrl.h"
#include "core/local_time.h"
#include "dialogs/clients_dlg.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/options_dlg.h"
#include "dialogs/time_entry_dlg.h"
#include "reminders/idle_time_dlg.h"
#include "reminders/reminders_dlg.h"
#include "settings/client_store.h"

namespace tally::test {
namespace {

const char kSampleLog[] =
    "In...Tue Jun 01 08:53:10 2004\n"
    "Out..Tue Jun 01 12:07:40 2004\n"
    "Elapsed time of 03:14:30.\n"
    "In...Tue Jun 01 13:02:00 2004\n"
    "Out..Tue Jun 01 17:22:31 2004\n"
    "Elapsed time of 04:20:31.\n"
    "In...Wed Jun 02 09:00:00 2004\n"
    "Out..Wed Jun 02 17:15:00 2004\n"
    "Elapsed time of 08:15:00.\n"
    "In...Thu Jun 03 22:10:00 2004\n"
    "Out..Thu Jun 03 23:59:59 2004\n"
    "Elapsed time of 01:49:59.\n"
    "In...Fri Jun 04 00:00:00 2004\n";

Client SampleClient(const SampleData& sample, const char* name, std::optional<double> rate,
                    const char* currency) {
    Client client;
    client.name = name;
    client.log = sample.dir.File(std::string(name) + ".dat");
    client.rate = rate;
    client.currency = currency;
    return client;
}

}  // namespace

SampleData::SampleData() : clock(FromLocalTime(2004, 6, 4, 17, 47, 39)) {
    WriteFile(log, Crlf(kSampleLog));
    store.StoreOption("Rate", "42.50");
    store.StoreOption("RoundingType", 1);
    store.StoreOption("RoundingUnit", 15);
    Client acme = SampleClient(*this, "Acme Tools", 80.0, "EUR");
    acme.taxPercent = 19;
    acme.address = "Acme Tools GmbH\nHafenstrasse 4\n20457 Hamburg";
    acme.number = "K-1042";
    for (const Client& client : {acme, SampleClient(*this, "Birch & Co", 65.0, "USD"),
                                 SampleClient(*this, "Town Library", std::nullopt, "EUR")})
        WriteClient(store.Raw(), client);
}

const std::vector<std::string>& SampleDialogNames() {
    static const std::vector<std::string> names = {
        "options",   "time_entry",        "edit_data", "invoice",     "idle_time",
        "reminders", "reminders_no_idle", "clients",   "client_form", "issuer_form"};
    return names;
}

std::unique_ptr<QDialog> MakeSampleDialog(const std::string& name, SampleData& sample) {
    if (name == "options") {
        auto dlg = std::make_unique<COptionsDlg>();
        OptionValues values;
        values.ShowDollars = true;
        values.DataLog = QString::fromStdString(sample.log);
        values.Rate = "42.50";
        values.PeriodType = 1;
        values.RoundingType = 1;
        values.RoundingUnit = 15;
        values.WeekStartDay = 1;
        dlg->SetValues(values);
        return dlg;
    }
    if (name == "time_entry") {
        auto dlg = std::make_unique<CTimeEntryDlg>(sample.clock, &sample.reporter);
        dlg->SetInTime(FromLocalTime(2004, 6, 4, 9, 0, 0));
        dlg->SetOutTime(FromLocalTime(2004, 6, 4, 17, 47, 39));
        dlg->SetValid(true);
        return dlg;
    }
    if (name == "edit_data") {
        auto dlg = std::make_unique<CEditDataDlg>(sample.clock, &sample.reporter);
        dlg->SetDataFile(sample.log);
        return dlg;
    }
    if (name == "invoice") {
        auto dlg = std::make_unique<CInvoiceDlg>(sample.store, sample.clock);
        dlg->SetDataFile(sample.log);
        return dlg;
    }
    if (name == "idle_time") {
        return std::make_unique<CIdleTimeDlg>(
            AwayTime{FromLocalTime(2004, 6, 4, 12, 3, 0), FromLocalTime(2004, 6, 4, 13, 10, 0)},
            nullptr);
    }
    if (name == "reminders" || name == "reminders_no_idle") {
        auto dlg = std::make_unique<CRemindersDlg>(name == "reminders", nullptr);
        dlg->SetValues({10, 10});
        return dlg;
    }
    if (name == "clients") return std::make_unique<CClientsDlg>(sample.store, sample.reporter);
    if (name == "client_form") {
        std::vector<Client> clients = ReadClients(sample.store.Raw());
        auto dlg = std::make_unique<CClientFormDlg>(clients, clients.front().name, sample.reporter);
        dlg->SetClient(clients.front());
        return dlg;
    }
    if (name == "issuer_form") {
        auto dlg = std::make_unique<CIssuerFormDlg>();
        dlg->SetIssuer({"Jo Freelancer", "Jo Freelancer\nLange Reihe 12\n20099 Hamburg",
                        "jo@example.org", "DE123456789",
                        "Example Bank\nIBAN DE00 1234 5678 9012 3456 78\nBIC EXAMDEFFXXX",
                        "Payable within the payment days shown.\nThank you for your business."});
        return dlg;
    }
    return nullptr;
}

void PrepareSampleDialog(const std::string& name, QDialog& dlg) {
    if (name == "edit_data") {
        QTreeView* list = dlg.findChild<QTreeView*>();
        list->setCurrentIndex(list->model()->index(1, 0));
    }
    if (name == "invoice") {
        for (auto* picker : dlg.findChildren<CQFDateTimeCtrl*>()) {
            if (picker->GetDlgCtrlID() == 1006) picker->setDate(QDate(2004, 6, 1));
        }
        for (QPushButton* button : dlg.findChildren<QPushButton*>()) {
            if (button->text() == "Generate Invoice") button->click();
        }
    }
}

}  // namespace tally::test
