#include "editor/pair_export.h"

#include "core/c_format.h"
#include "core/local_day_cache.h"
#include "core/time_log_file.h"
#include "editor/time_entry_list.h"

namespace tally {
namespace {

constexpr std::size_t kWriteBlock = 1 << 20;

int DateKey(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

// "2004-06-02 17:47:39", or with "/" between the date's parts for timeclock.
std::string LocalText(const LocalFields& f, char separator) {
    return FormatC("%04d%c%02d%c%02d %02d:%02d:%02d", f.year, separator, f.month, separator, f.day,
                   f.hour, f.minute, f.second);
}

}  // namespace

void ExportPairs(const CTimeEntryList& list, const PairExportOptions& options,
                 const std::function<void(std::string_view)>& write) {
    const bool csv = options.format == ExportFormat::Csv;
    const int first =
        options.first ? DateKey(options.first->year, options.first->month, options.first->day) : 0;
    const int last = options.last
                         ? DateKey(options.last->year, options.last->month, options.last->day)
                         : 99999999;
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
            const double amount = hours * options.rate + 0.0;  // no "-0.00" for nothing earned
            text += LocalText(in, '-') + ',' + LocalText(out, '-') + ',' +
                    FormatC("%lld,%.2f,%.2f\n", static_cast<long long>(seconds), hours, amount);
        } else if (seconds >= 0) {
            text += "i " + LocalText(in, '/') + " TallyBook\no " + LocalText(out, '/') + '\n';
        }
        if (text.size() >= kWriteBlock) {
            write(text);
            text.clear();
        }
    }
    if (!text.empty()) write(text);
}

std::optional<std::string> ExportTimeLog(const std::string& path, const PairExportOptions& options,
                                         const std::function<void(std::string_view)>& write) {
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (log.status == OpenedLog::Status::Missing) return std::nullopt;
    if (!log.Ok()) return log.Reason(path, LogAccess::Read);
    CTimeEntryList list;
    list.Load(path);
    ExportPairs(list, options, write);
    return std::nullopt;
}

}  // namespace tally
