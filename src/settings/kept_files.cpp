// SPDX-License-Identifier: MIT
#include "settings/kept_files.h"

#include <QFile>

#include "invoice/invoice_issue.h"
#include "settings/client_store.h"
#include "settings/invoice_settings.h"

namespace tally {

KeptFiles KeptFilesOf(SettingsStore& store) {
    KeptFiles kept;
    kept.files.push_back(
        {QFile::encodeName(store.Raw().fileName()).toStdString(), "the settings file"});
    kept.logs.push_back(store.StoredDataLog());
    for (const Client& client : ReadClients(store.Raw())) kept.logs.push_back(client.log);
    AddRegisterFiles(ReadInvoiceSettings(store.Raw()).registerPath, kept);
    return kept;
}

}  // namespace tally
