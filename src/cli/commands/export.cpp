#include "cli/commands/export.h"

#include <ostream>

#include "cli/iso_date.h"
#include "editor/pair_export.h"
#include "settings/settings_store.h"

namespace tally::cli {

int RunExport(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() != 0 && args.size() != 2) {
        return c.UsageError("export takes no dates, or two: START END (YYYY-MM-DD)");
    }
    PairExportOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto date = ParseIsoDate(args[i]);
        if (!date) return c.UsageError("'" + args[i] + "' is not a calendar date (YYYY-MM-DD)");
        (i == 0 ? options.first : options.last) = *date;
    }
    const std::string format = c.options.format.value_or("csv");
    if (format == "timeclock") {
        options.format = ExportFormat::Timeclock;
    } else if (format != "csv") {
        return c.UsageError("unknown export format '" + format + "' (csv or timeclock)");
    }
    if (c.options.rate) return c.UsageError("export takes the rate from the settings, not --rate");
    options.rate = RateFromText(c.store.RateText());

    const auto error = ExportTimeLog(c.engine.Settings().DataLog, options,
                                     [&](std::string_view text) { c.out << text; });
    if (error) {
        c.err << "tally: " << *error << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tally::cli
