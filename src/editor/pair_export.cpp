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

// Opens and loads the log at path for read; false for a missing log or one that cannot be
// read, with its reason in error.
bool LoadLog(const std::string& path, CTimeEntryList& list, std::optional<std::string>& error) {
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (log.status == OpenedLog::Status::Missing) return false;
    if (!log.Ok()) {
        error = log.Reason(path, LogAccess::Read);
        return false;
    }
    list.Load(path);
    return true;
}

}  // namespace

std::string ExportTimeText(const LocalFields& f, char separator) {
    return FormatC("%04d%c%02d%c%02d %02d:%02d:%02d", f.year, separator, f.month, separator, f.day,
                   f.hour, f.minute, f.second);
}

void ForEachExportedPair(const CTimeEntryList& list, const PairExportOptions& options,
                         const std::function<void(const ExportedPair&)>& visit) {
    const int first =
        options.first ? DateKey(options.first->year, options.first->month, options.first->day) : 0;
    const int last = options.last
                         ? DateKey(options.last->year, options.last->month, options.last->day)
                         : 99999999;
    LocalDayCache days;
    for (int position = 0; position < list.GetCount(); ++position) {
        const CTimeEntry& entry = *list.GetAt(position);
        if (!entry.m_bHasOut) continue;
        ExportedPair pair;
        pair.in = days.Fields(entry.m_timeIn);
        const int key = DateKey(pair.in.year, pair.in.month, pair.in.day);
        if (key < first || key > last) continue;
        pair.out = days.Fields(entry.m_timeOut);
        pair.seconds = entry.m_timeOut - entry.m_timeIn;
        pair.hours = static_cast<double>(pair.seconds) / 3600.0;
        pair.amount = pair.hours * options.rate + 0.0;  // no "-0.00" for nothing earned
        visit(pair);
    }
}

void ExportPairs(const CTimeEntryList& list, const PairExportOptions& options,
                 const std::function<void(std::string_view)>& write) {
    const bool csv = options.format == ExportFormat::Csv;
    std::string text;
    if (csv) text = "in,out,elapsed_seconds,hours,amount\n";
    ForEachExportedPair(list, options, [&](const ExportedPair& pair) {
        if (csv) {
            text += ExportTimeText(pair.in) + ',' + ExportTimeText(pair.out) + ',' +
                    FormatC("%lld,%.2f,%.2f\n", static_cast<long long>(pair.seconds), pair.hours,
                            pair.amount);
        } else if (pair.seconds >= 0) {
            text += "i " + ExportTimeText(pair.in, '/') + " TallyBook\no " +
                    ExportTimeText(pair.out, '/') + '\n';
        }
        if (text.size() >= kWriteBlock) {
            write(text);
            text.clear();
        }
    });
    if (!text.empty()) write(text);
}

std::optional<std::string> ExportTimeLog(const std::string& path, const PairExportOptions& options,
                                         const std::function<void(std::string_view)>& write) {
    CTimeEntryList list;
    std::optional<std::string> error;
    if (LoadLog(path, list, error)) ExportPairs(list, options, write);
    return error;
}

std::optional<std::string> ReadExportedPairs(
    const std::string& path, const PairExportOptions& options,
    const std::function<void(const ExportedPair&)>& visit) {
    CTimeEntryList list;
    std::optional<std::string> error;
    if (LoadLog(path, list, error)) ForEachExportedPair(list, options, visit);
    return error;
}

}  // namespace tally
