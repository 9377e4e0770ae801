#include "cli/commands/export.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/iso_date.h"
#include "core/c_format.h"
#include "core/local_day_cache.h"
#include "editor/time_entry_list.h"

namespace tally::cli {
namespace {

int DateKey(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

// "2004-06-02 17:47:39", or with "/" between the date's parts for timeclock.
std::string LocalText(const LocalFields& f, char separator) {
    return FormatC("%04d%c%02d%c%02d %02d:%02d:%02d", f.year, separator, f.month, separator, f.day,
                   f.hour, f.minute, f.second);
}

}  // namespace

int RunExport(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() != 0 && args.size() != 2) {
        return c.UsageError("export takes no dates, or two: START END (YYYY-MM-DD)");
    }
    int first = 0;
    int last = 99999999;
    if (args.size() == 2) {
        int keys[2] = {};
        for (int i = 0; i < 2; ++i) {
            const auto date = ParseIsoDate(args[i]);
            if (!date) return c.UsageError("'" + args[i] + "' is not a calendar date (YYYY-MM-DD)");
            keys[i] = DateKey(date->year, date->month, date->day);
        }
        first = keys[0];
        last = keys[1];
    }
    const std::string format = c.options.format.value_or("csv");
    const bool csv = format == "csv";
    if (!csv && format != "timeclock") {
        return c.UsageError("unknown export format '" + format + "' (csv or timeclock)");
    }
    if (c.options.rate) return c.UsageError("export takes the rate from the settings, not --rate");

    const std::string& path = c.engine.Settings().DataLog;
    {
        FileDescriptor probe(open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (probe.Get() < 0 && errno == ENOENT) return kExitOk;
        struct stat st {};
        int error = 0;
        if (probe.Get() < 0 || fstat(probe.Get(), &st) != 0) {
            error = errno;
        } else if (S_ISDIR(st.st_mode)) {
            error = EISDIR;
        }
        if (error != 0) {
            c.err << "tally: cannot read " << path << ": " << std::strerror(error) << '\n';
            return kExitFailed;
        }
    }
    // A damaged last line makes Load say false; every pair read before it still counts.
    CTimeEntryList list;
    list.Load(path);

    const double rate = RateFromText(c.store.RateText());
    std::string text;
    if (csv) text = "in,out,elapsed_seconds,hours,amount\n";
    LocalDayCache days;
    for (int position = 0; position < list.GetCount(); ++position) {
        const CTimeEntry& entry = *list.GetAt(position);
        if (!entry.m_bHasOut) continue;
        const LocalFields in = days.Fields(entry.m_timeIn);
        const int key = DateKey(in.year, in.month, in.day);
        if (key < first || key > last) continue;
        const LocalFields out = days.Fields(entry.m_timeOut);
        const std::int64_t seconds = entry.m_timeOut - entry.m_timeIn;
        if (csv) {
            const double hours = static_cast<double>(seconds) / 3600.0;
            const double amount = hours * rate + 0.0;  // no "-0.00" for nothing earned
            text += LocalText(in, '-') + ',' + LocalText(out, '-') + ',' +
                    FormatC("%lld,%.2f,%.2f\n", static_cast<long long>(seconds), hours, amount);
        } else if (seconds >= 0) {
            text += "i " + LocalText(in, '/') + " TallyBook\no " + LocalText(out, '/') + '\n';
        }
        if (text.size() >= (1 << 20)) {
            c.out << text;
            text.clear();
        }
    }
    c.out << text;
    return kExitOk;
}

}  // namespace tally::cli
