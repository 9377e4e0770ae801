// SPDX-License-Identifier: MIT
#pragma once
// The files of this user's TallyBook that no document may replace, as the store names them.

#include "entries/document_target.h"
#include "settings/settings_store.h"

namespace tally {

// The settings file, the Options' time log and every client's (each with its backups), and
// the invoice register with its lock and archive.
KeptFiles KeptFilesOf(SettingsStore& store);

}  // namespace tally
