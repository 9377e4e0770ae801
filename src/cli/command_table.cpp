// SPDX-License-Identifier: MIT
#include "cli/command_context.h"
#include "cli/commands/add.h"
#include "cli/commands/check.h"
#include "cli/commands/config.h"
#include "cli/commands/export.h"
#include "cli/commands/import.h"
#include "cli/commands/in_out.h"
#include "cli/commands/invoice.h"
#include "cli/commands/lists.h"
#include "cli/commands/report.h"
#include "cli/commands/status.h"

namespace tally::cli {

const std::vector<CommandEntry>& Commands() {
    static const std::vector<CommandEntry> table = {
        {"status", RunStatus, true},
        {"in", RunIn},
        {"out", RunOut},
        {"days", RunDays, true},
        {"log", RunLog, true},
        {"config", RunConfig, true},
        {"invoice", RunInvoice},
        {"export", RunExport, true},
        {"report", RunReport, true},
        {"add", RunAdd},
        {"import", RunImport},
        {"check", RunCheck, true},
    };
    return table;
}

}  // namespace tally::cli
