// SPDX-License-Identifier: MIT
#include "sample_dialogs.h"

#include <QPushButton>
#include <QTreeView>

#include "controls/qf_date_time_ctrl.h"
#include "core/local_time.h"
#include "dialogs/edit_data_dlg.h"
#include "dialogs/invoice_dlg.h"
#include "dialogs/invoices_dlg.h"
#include "dialogs/options_dlg.h"
#include "dialogs/time_entry_dlg.h"
#include "reminders/idle_time_dlg.h"
#include "reminders/reminders_dlg.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"

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

// A register of four invoices, one in each state on the sample's day (2004-06-04).
void WriteSampleRegister(SampleData& sample) {
    const std::string path = sample.dir.File("invoices.txt");
    WriteInvoiceSettings(sample.store.Raw(), {{}, path});
    InvoiceRegister reg;
    const auto entry = [](const char* number, const char* client, CalendarDate first,
                          CalendarDate last, std::int64_t hours, const char* currency) {
        InvoiceEntry e;
        e.number = number;
        e.client = client;
        e.first = first;
        e.last = e.issued = last;
        e.due = DateOf(DaysOf(last) + std::chrono::days{14});
        e.seconds = hours * 3600;
        e.subtotal = e.total = static_cast<double>(hours) * 42.5;
        e.currency = currency;
        e.pdf = "/home/user/Documents/Invoice " + e.number + ".pdf";
        return e;
    };
    InvoiceEntry paid = entry("2004-001", "Harbour Books", {2004, 4, 1}, {2004, 4, 15}, 61, "EUR");
    paid.state = InvoiceState::Paid;
    paid.paidOn = {2004, 4, 27};
    reg.Add(paid);
    reg.Add(entry("2004-002", "Harbour Books", {2004, 4, 16}, {2004, 4, 30}, 58, "EUR"));
    InvoiceEntry cancelled = entry("2004-003", "Birch & Co", {2004, 5, 1}, {2004, 5, 5}, 12, "USD");
    cancelled.state = InvoiceState::Cancelled;
    reg.Add(cancelled);
    reg.Add(entry("2004-004", "Harbour Books", {2004, 5, 1}, {2004, 5, 31}, 143, "EUR"));
    WriteFile(path, reg.Text());
}

}  // namespace

SampleData::SampleData() : clock(FromLocalTime(2004, 6, 4, 17, 47, 39)) {
    WriteFile(log, Crlf(kSampleLog));
    store.StoreOption("Rate", "42.50");
    store.StoreOption("RoundingType", 1);
    store.StoreOption("RoundingUnit", 15);
}

const std::vector<std::string>& SampleDialogNames() {
    static const std::vector<std::string> names = {"options",           "time_entry", "edit_data",
                                                   "invoice",           "idle_time",  "reminders",
                                                   "reminders_no_idle", "invoices"};
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
        WriteSampleRegister(sample);
        return std::make_unique<CInvoicesDlg>(sample.store, sample.clock, nullptr,
                                              &sample.reporter);
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
