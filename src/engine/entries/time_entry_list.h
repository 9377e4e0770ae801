// SPDX-License-Identifier: MIT
#pragma once
// The raw data editor's copy of the whole time log: entries in file order (new ones at the
// end), addressed by ids that the list never hands out twice, with every date and time
// field as a ready-made text, and the reader and writer of the whole file.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entries/time_entry.h"
#include "log/file_lock.h"
#include "log/reporter.h"
#include "log/time_log_file.h"
#include "time/local_day_cache.h"

namespace tally {

// How CTimeEntryList::Save replaces the time log.
struct SaveOptions {
    // The old log kept as backup generation 0, the older ones moved up (the editor's OK);
    // none for the document's File Save.
    bool makeBackups = false;
};

class CTimeEntryList {
  public:
    CTimeEntryList() = default;
    CTimeEntryList(const CTimeEntryList&) = delete;
    CTimeEntryList& operator=(const CTimeEntryList&) = delete;

    // Lookups by position (0 is the first entry): none, 0 when there is no such position.
    // An entry handed out stays valid until the list changes.
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const CTimeEntry* GetAt(int position) const;
    int GetIdAt(int position) const;

    // Lookups by id: none, -1, false or 0 when no entry has the id.
    const CTimeEntry* FindEntry(int id) const;
    int IndexOf(int id) const;
    bool HasIn(int id) const;
    bool HasOut(int id) const;
    bool HasElapsed(int id) const;
    int GetInMonth(int id) const;   // 1-12
    int GetOutMonth(int id) const;  // 1-12

    // Puts a copy of the entry under the id: in place of the entry that has it, else at the
    // end. The position, or -1 when the id is not positive.
    int SetEntry(int id, const CTimeEntry& entry);
    // Creates (id 0) or updates an entry; elapsed becomes Out - In. The id, also when no
    // entry has it (then nothing changes).
    int PutEntry(int id, TimeValue in, bool hasOut, TimeValue out);
    bool RemoveEntry(int id);
    bool DeleteEntry(int id);
    void RemoveAll();

    // The ids by In time, then by id: the order in which people read a time log.
    std::vector<int> IdsInTimeOrder() const;

    // Field texts of the entry with the id; empty when no entry has it. Numbers "%02d",
    // names as they are; the elapsed texts are the hours within a day, minutes, seconds.
    std::string FormatInYear(int id) const;
    std::string FormatInMonth(int id) const;
    std::string FormatInDay(int id) const;
    std::string FormatInDayName(int id) const;
    std::string FormatInHour(int id) const;
    std::string FormatInMinute(int id) const;
    std::string FormatInSecond(int id) const;
    std::string FormatOutYear(int id) const;
    std::string FormatOutMonth(int id) const;
    std::string FormatOutDay(int id) const;
    std::string FormatOutDayName(int id) const;
    std::string FormatOutHour(int id) const;
    std::string FormatOutMinute(int id) const;
    std::string FormatOutSecond(int id) const;
    std::string FormatElapsedHours(int id) const;
    std::string FormatElapsedMinutes(int id) const;
    std::string FormatElapsedSeconds(int id) const;

    // Reads every line of the time log into entries (emptying the list first) and
    // remembers the file's identity. True when the last line was recognised and applied.
    bool Load(const std::string& path);
    // One line each; true when the line was recognised and applied.
    bool ParseInLine(std::string_view line);
    bool ParseOutLine(std::string_view line);
    bool ParseElapsedLine(std::string_view line);

    // Writes every entry as a complete new time log in place of the old one, under the time
    // log lock, keeping the old one as backup generation 0 when asked to. Refuses to
    // replace a file that changed since this list loaded it. A failure is reported and
    // leaves the time log as it was.
    bool Save(const std::string& path, SaveOptions options, Reporter& reporter);
    // How Save takes the time log lock (tests wait less than two seconds).
    void SetLockOptions(LockOptions options) { m_lockOptions = std::move(options); }

    // True while the file that Load read is still the one on disk, unchanged (or still
    // missing); true also when nothing was loaded.
    bool IsFileUnchanged() const;

  private:
    CTimeEntry* Find(int id);
    // The six checked fields of an In or Out line as a local time.
    bool ReadPunchTime(std::string_view line, TimeValue& time);
    int NextId() { return ++m_nLastId; }
    std::optional<Message> WriteTimeLog(const std::string& path, bool makeBackups);

    std::vector<CTimeEntry> m_entries;  // owned by value: a million entries, no million allocations
    int m_nLastId = 0;
    int m_nReadState = 0;  // the line kind the reader expects: 0 In, 1 Out, 2 Elapsed

    // Ids increase along the array unless SetEntry appended an older id; lookups then
    // search instead of scanning.
    bool m_bIdsAscending = true;

    // What Load read, to tell at Save whether another program changed the file since.
    std::optional<std::string> m_loadedPath;
    FileIdentity m_loadedIdentity;

    LocalDayCache m_days;
    LockOptions m_lockOptions;
};

}  // namespace tally
