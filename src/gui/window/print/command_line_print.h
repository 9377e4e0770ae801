// SPDX-License-Identifier: MIT
#pragma once
// The start-up switches --print and --print-to: the report of the time log printed without
// a window, as the framework's own print switch prints a document.

#include <iosfwd>

#include "settings/settings_store.h"
#include "time/clock.h"
#include "window/startup_switches.h"

namespace tally {

// Prints as the switches ask; the program's exit code: 0 when the printout is complete,
// else 1 with the reason on err. A PDF target is checked before the log is read: the log
// printed, its backups and any file that is not a PDF are refused. The PDF is written
// beside its target and renamed over it when complete, so a failed printout leaves
// nothing behind.
int PrintFromCommandLine(const StartupSwitches& switches, SettingsStore& store, const Clock& clock,
                         std::ostream& err);

}  // namespace tally
