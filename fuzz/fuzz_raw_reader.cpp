// SPDX-License-Identifier: MIT
// The raw reader over arbitrary bytes, as Edit Raw Data loads a log, then the raw writer's
// lines: whatever Load made of the bytes, the lines Save writes read back as the same punches.
// (Save itself flushes to disk, which would slow the run a hundredfold.) And tally export over
// the same bytes, which reads them as the scan does.

#include <string>

#include "entries/entry_lines.h"
#include "entries/time_entry_list.h"
#include "fuzz_support.h"
#include "interchange/pair_export.h"
#include "time/local_day_cache.h"

namespace tally::fuzz {
namespace {

// The texts the editor's rows show, for every entry.
void FormatFields(const CTimeEntryList& list) {
    for (int i = 0; i < list.GetCount(); ++i) {
        const int id = list.GetIdAt(i);
        for (const std::string& text :
             {list.FormatInYear(id), list.FormatInMonth(id), list.FormatInDay(id),
              list.FormatInDayName(id), list.FormatInHour(id), list.FormatInMinute(id),
              list.FormatInSecond(id), list.FormatOutYear(id), list.FormatOutMonth(id),
              list.FormatOutDay(id), list.FormatOutDayName(id), list.FormatOutHour(id),
              list.FormatOutMinute(id), list.FormatOutSecond(id), list.FormatElapsedHours(id),
              list.FormatElapsedMinutes(id), list.FormatElapsedSeconds(id)}) {
            (void)text;
        }
    }
    (void)list.IdsInTimeOrder();
}

// The punches of both lists agree; an Elapsed value is written only after an Out line.
void CheckSameEntries(const CTimeEntryList& loaded, const CTimeEntryList& reread) {
    TALLY_FUZZ_CHECK(loaded.GetCount() == reread.GetCount());
    for (int i = 0; i < loaded.GetCount(); ++i) {
        const CTimeEntry& a = *loaded.GetAt(i);
        const CTimeEntry& b = *reread.GetAt(i);
        TALLY_FUZZ_CHECK(a.m_bHasIn && b.m_bHasIn && a.m_timeIn == b.m_timeIn);
        TALLY_FUZZ_CHECK(a.m_bHasOut == b.m_bHasOut);
        if (!a.m_bHasOut) continue;
        TALLY_FUZZ_CHECK(a.m_timeOut == b.m_timeOut);
        TALLY_FUZZ_CHECK(a.m_bHasElapsed == b.m_bHasElapsed);
    }
}

// tally export over the same bytes: every pair it writes is one the scan counts, a real date
// and time at each end, its seconds the wall-clock difference of the two.
void CheckExport(const std::string& path) {
    const ExportRead read = ReadExportedPairs(path, {}, [](const ExportedPair& pair) {
        TALLY_FUZZ_CHECK(pair.seconds >= 0 && pair.seconds <= 86400);
        for (const WallTime& t : {pair.in, pair.out}) {
            TALLY_FUZZ_CHECK(IsRealDate(t.date) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
                             t.minute < 60 && t.second >= 0 && t.second < 60);
        }
        TALLY_FUZZ_CHECK(WallSeconds(DaysOf(pair.out.date)) + pair.out.hour * 3600 +
                             pair.out.minute * 60 + pair.out.second ==
                         WallSeconds(DaysOf(pair.in.date)) + pair.in.hour * 3600 +
                             pair.in.minute * 60 + pair.in.second + pair.seconds);
    });
    TALLY_FUZZ_CHECK(!read.error);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const fuzz::MemoryFile log(std::string_view(reinterpret_cast<const char*>(data), size));
    CTimeEntryList loaded;
    (void)loaded.Load(log.Path());
    fuzz::FormatFields(loaded);
    fuzz::CheckExport(log.Path());

    std::string lines;
    LocalDayCache days;
    for (int i = 0; i < loaded.GetCount(); ++i) AppendEntryLines(lines, *loaded.GetAt(i), days);
    const fuzz::MemoryFile saved(lines);
    CTimeEntryList reread;
    // Every line the writer wrote is one the reader recognises.
    TALLY_FUZZ_CHECK(reread.Load(saved.Path()) || reread.GetCount() == 0);
    fuzz::CheckSameEntries(loaded, reread);
    return 0;
}
