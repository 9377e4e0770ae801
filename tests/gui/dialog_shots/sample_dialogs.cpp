// SPDX-License-Identifier: MIT
#include "sample_dialogs.h"

#include <QPushButton>
#include <QTreeView>

#include "controls/qf_date_time_ctrl.h"
#include "dialogs/client_form_dlg.h"
#include "dialogs/clients_dlg.h"
#include "dialogs/clock_out_at_dlg.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "dialogs/issuer_form_dlg.h"
#include "dialogs/merge_copy_dlg.h"
#include "dialogs/options_dlg.h"
#include "dialogs/time_entry_dlg.h"
#include "log_text.h"
#include "reminders/idle_time_dlg.h"
#include "reminders/reminders_dlg.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"
#include "time/local_time.h"

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

// A register of four invoices, one in each state on the sample's day (2004-06-04).
const char kSampleRegister[] =
    "# TallyBook invoice register 1\n"
    "2004-001\tHarbour Books\t2004-04-01\t2004-04-15\t2004-04-15\t2004-04-29\t219600\t"
    "2592.50\t0.00\t2592.50\tEUR\tpaid 2004-04-27\t/home/user/Documents/April 1.pdf\n"
    "2004-002\tHarbour Books\t2004-04-16\t2004-04-30\t2004-04-30\t2004-05-14\t208800\t"
    "2465.00\t0.00\t2465.00\tEUR\tissued\t/home/user/Documents/April 2.pdf\n"
    "2004-003\tBirch & Co\t2004-05-01\t2004-05-05\t2004-05-05\t2004-05-19\t43200\t"
    "510.00\t0.00\t510.00\tUSD\tcancelled\t/home/user/Documents/Birch May.pdf\n"
    "2004-004\tHarbour Books\t2004-05-01\t2004-05-31\t2004-05-31\t2004-06-14\t514800\t"
    "6077.50\t0.00\t6077.50\tEUR\tissued\t/home/user/Documents/May.pdf\n";

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
        "reminders", "reminders_no_idle", "clients",   "client_form", "issuer_form",
        "invoices",  "clock_out_at",      "merge_copy"};
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
        // The log is a client's, so that Save as PDF is offered.
        Client client;
        client.name = "Harbour Books";
        client.log = sample.log;
        client.currency = "EUR";
        WriteClient(sample.store.Raw(), client);
        auto dlg = std::make_unique<CInvoiceDlg>(sample.store, sample.clock);
        dlg->SetDataFile(sample.log);
        return dlg;
    }
    if (name == "invoices") {
        const std::string path = sample.dir.File("invoices.txt");
        WriteFile(path, kSampleRegister);
        WriteInvoiceSettings(sample.store.Raw(), {{}, path});
        return std::make_unique<CInvoicesDlg>(sample.store, sample.clock, nullptr,
                                              &sample.reporter);
    }
    if (name == "clock_out_at") {
        return std::make_unique<CClockOutAtDlg>(FromLocalTime(2004, 6, 4, 17, 45, 0));
    }
    if (name == "merge_copy") {
        // Two copies beside the sample log; the one shown adds a pair and has two conflicts,
        // one of them a pair split in two.
        const std::string syncthing = "TALLYBK.sync-conflict-20040604-101500-ABCDEFG.DAT";
        WriteFile(sample.dir.File(syncthing),
                  Triple("2004-06-01 08:53:10", "2004-06-01 12:07:40") +
                      Triple("2004-06-01 13:02:00", "2004-06-01 17:40:00") +
                      Triple("2004-06-02 09:00:00", "2004-06-02 12:00:00") +
                      Triple("2004-06-02 12:30:00", "2004-06-02 17:15:00") +
                      Triple("2004-06-03 09:00:00", "2004-06-03 12:30:00") +
                      Triple("2004-06-03 22:10:00", "2004-06-03 23:59:59") +
                      In("2004-06-04 00:00:00"));
        const std::string dropbox = "TALLYBK (Ann's conflicted copy 2004-06-03).DAT";
        WriteFile(sample.dir.File(dropbox), Triple("2004-05-31 09:00:00", "2004-05-31 17:00:00"));
        CurrentSettings settings;
        settings.DataLog = sample.log;
        return std::make_unique<CMergeCopyDlg>(settings, std::vector{syncthing, dropbox},
                                               sample.clock, sample.reporter);
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
        auto dlg =
            std::make_unique<CClientFormDlg>(clients, clients.front().name, "DE", sample.reporter);
        dlg->SetClient(clients.front());
        return dlg;
    }
    if (name == "issuer_form") {
        auto dlg =
            std::make_unique<CIssuerFormDlg>(ReadClients(sample.store.Raw()), sample.reporter);
        dlg->SetIssuer({.name = "Jo Freelancer",
                        .address = "Jo Freelancer\nLange Reihe 12\n20099 Hamburg",
                        .email = "jo@example.org",
                        .taxId = "22/815/08151",
                        .bank = "Example Bank",
                        .terms = "Payable within the payment days shown.\nThank you.",
                        .country = "DE",
                        .phone = "+49 40 1234567",
                        .vatId = "DE123456789",
                        .iban = "DE89370400440532013000",
                        .bic = "COBADEFFXXX"});
        return dlg;
    }
    return nullptr;
}

void PrepareSampleDialog(const std::string& name, QDialog& dlg) {
    if (name == "edit_data" || name == "invoices") {
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
