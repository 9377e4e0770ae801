// SPDX-License-Identifier: MIT
#include "cli/commands/export.h"

#include <ostream>

#include "cli/json_text.h"
#include "interchange/icalendar_text.h"
#include "interchange/pair_export.h"
#include "settings/settings_store.h"
#include "time/iso_date.h"

namespace tally::cli {
namespace {

// Hours and amount as the CSV rounds them, so both forms agree.
Json PairJson(const ExportedPair& pair) {
    return {{"in", ExportTimeText(pair.in)},
            {"out", ExportTimeText(pair.out)},
            {"seconds", pair.seconds},
            {"hours", Cents(pair.hours)},
            {"amount", Cents(pair.amount)}};
}

}  // namespace

int RunExport(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() > 2) {
        return c.UsageError("export takes no dates, two (START END, YYYY-MM-DD) or a range word");
    }
    PairExportOptions options;
    if (!args.empty()) {
        std::string reason;
        const auto range = ParseIsoRange(args, c.Today(), c.engine.Settings().WeekStartDay, reason);
        if (!range) return c.UsageError(reason);
        options.first = range->first;
        options.last = range->second;
    }
    if (c.options.json && c.options.format) {
        return c.UsageError("export prints --json or a --format, not both");
    }
    const std::string format = c.options.format.value_or("csv");
    if (format == "timeclock") {
        options.format = ExportFormat::Timeclock;
    } else if (format == "ical") {
        options.format = ExportFormat::Ical;
        // Events are named after the log's client, so that two clients' calendars can be told
        // apart once imported.
        if (const Client* client = c.LogClient()) options.calendar.summary = client->name;
        options.calendar.stamp = c.engine.GetClock().Now();
        options.calendar.zone = LocalZoneName();
    } else if (format != "csv") {
        return c.UsageError("unknown export format '" + format + "' (csv, timeclock or ical)");
    }
    options.rate = c.engine.Settings().Rate;  // the log's effective rate

    const std::string& path = c.engine.Settings().DataLog;
    JsonArrayPrinter printer(c.out, "pairs");
    const ExportRead read =
        c.options.json
            ? ReadExportedPairs(path, options,
                                [&](const ExportedPair& pair) { printer.Add(PairJson(pair)); })
            : ExportTimeLog(path, options, [&](std::string_view text) { c.out << text; });
    if (read.error) {
        c.err << "tally: " << *read.error << '\n';
        return kExitFailed;
    }
    if (c.options.json) printer.Finish();
    c.WarnScanStop(read.stop);
    c.WarnDamagedDates(read.undated, "pair", "pairs");
    return kExitOk;
}

}  // namespace tally::cli
