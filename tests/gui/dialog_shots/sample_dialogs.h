// SPDX-License-Identifier: MIT
#pragma once
// The dialogs of the desktop program with sample data, as a user would find them: for looking
// at them (dialog_shots) and for walking their controls (the accessibility test).

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "test_support.h"

namespace tally::test {

// A private settings file and log.
struct SampleData {
    SampleData();

    TempDir dir;
    std::string log = dir.File("TALLYBK.DAT");
    SettingsStore store{QString::fromStdString(dir.File("options.ini"))};
    FakeClock clock;
    RecordingReporter reporter;
};

// Names: options, time_entry, edit_data, invoice, idle_time, reminders, reminders_no_idle, clients,
// client_form, issuer_form, invoices, clock_out_at, merge_copy.
const std::vector<std::string>& SampleDialogNames();
std::unique_ptr<QDialog> MakeSampleDialog(const std::string& name, SampleData& sample);
// What a user would have done before looking: a selected row, a generated invoice.
void PrepareSampleDialog(const std::string& name, QDialog& dlg);

}  // namespace tally::test
