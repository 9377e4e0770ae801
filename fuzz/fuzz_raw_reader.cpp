// The raw reader over arbitrary bytes, as Edit Raw Data and tally export load a log, then
// the raw writer's lines and the exports: whatever Load made of the bytes, the lines Save
// writes and what tally export writes read back as the same punches. (Save itself flushes to disk,
// which would slow the run a hundredfold.)

#include <string>

#include "core/local_day_cache.h"
#include "editor/entry_lines.h"
#include "editor/import/imported_spans.h"
#include "editor/pair_export.h"
#include "editor/time_entry_list.h"
#include "fuzz_support.h"

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

// tally export then tally import gives the same pairs again: every closed pair in CSV, those
// whose Out is not before their In in timeclock.
void CheckExportReadsBack(const CTimeEntryList& list, ExportFormat format) {
    std::string text;
    ExportPairs(list, {format, std::nullopt, std::nullopt, 1.0},
                [&text](std::string_view block) { text += block; });
    const ImportedSpans read =
        format == ExportFormat::Csv ? ReadCsvPairs(text) : ReadTimeclockPairs(text);
    TALLY_FUZZ_CHECK(read.problems.empty());
    std::size_t next = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CTimeEntry& entry = *list.GetAt(i);
        if (!entry.m_bHasOut) continue;
        if (format == ExportFormat::Timeclock && entry.m_timeOut < entry.m_timeIn) continue;
        TALLY_FUZZ_CHECK(next < read.spans.size());
        TALLY_FUZZ_CHECK(read.spans[next].in == entry.m_timeIn);
        TALLY_FUZZ_CHECK(read.spans[next].out == entry.m_timeOut);
        ++next;
    }
    TALLY_FUZZ_CHECK(next == read.spans.size());
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    const fuzz::MemoryFile log(std::string_view(reinterpret_cast<const char*>(data), size));
    CTimeEntryList loaded;
    (void)loaded.Load(log.Path());
    fuzz::FormatFields(loaded);
    fuzz::CheckExportReadsBack(loaded, ExportFormat::Csv);
    fuzz::CheckExportReadsBack(loaded, ExportFormat::Timeclock);

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
