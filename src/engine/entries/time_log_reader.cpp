// SPDX-License-Identifier: MIT
// The raw reader of CTimeEntryList: the whole time log, line by line, into entries.

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "entries/line_fields.h"
#include "entries/time_entry_list.h"
#include "log/record_layout.h"

namespace tally {
namespace {

constexpr std::size_t kReadBlock = 1 << 20;
// Far longer than any line of a time log: a longer line is cut here, the rest up to its
// line end dropped, so a file without line ends costs no more memory than one block.
constexpr std::size_t kMaxLineLength = 4096;
static_assert(kMaxLineLength < kReadBlock, "a cut line and the next block must fit the buffer");
// Entries reserved up front at most; a larger log grows the list as it reads.
constexpr std::size_t kMaxReservedEntries = 1 << 16;
constexpr std::size_t kTripleSize = 2 * kRecordSize + kElapsedLineSize;

// A line without its line end: LF, or CR LF.
std::string_view WithoutCr(const char* begin, const char* end) {
    if (end > begin && end[-1] == '\r') --end;
    return {begin, static_cast<std::size_t>(end - begin)};
}

// Hands every line of the file to the callback, cut at kMaxLineLength; false on a read
// error.
template <typename OnLine>
bool ForEachLine(int fd, OnLine onLine) {
    std::string buffer(kReadBlock, '\0');
    std::size_t filled = 0;
    bool dropping = false;  // inside an over-long line whose cut head was handed on
    for (;;) {
        const ssize_t n = read(fd, buffer.data() + filled, buffer.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) break;
        const char* begin = buffer.data();
        const char* end = begin + filled + static_cast<std::size_t>(n);
        const char* lineStart = begin;
        while (const void* lf =
                   std::memchr(lineStart, '\n', static_cast<std::size_t>(end - lineStart))) {
            const char* lineEnd = static_cast<const char*>(lf);
            if (!dropping) {
                onLine(WithoutCr(lineStart, std::min(lineEnd, lineStart + kMaxLineLength)));
            }
            dropping = false;
            lineStart = lineEnd + 1;
        }
        filled = static_cast<std::size_t>(end - lineStart);
        if (filled > kMaxLineLength) {
            if (!dropping) onLine(WithoutCr(lineStart, lineStart + kMaxLineLength));
            dropping = true;
            filled = 0;
            continue;
        }
        std::memmove(buffer.data(), lineStart, filled);
    }
    if (dropping) return true;
    // The last line may lack its line end; an empty rest is no line.
    if (filled > 0) onLine(WithoutCr(buffer.data(), buffer.data() + filled));
    return true;
}

}  // namespace

bool CTimeEntryList::Load(const std::string& path) {
    RemoveAll();
    m_loadedPath = path;
    m_loadedIdentity = FileIdentity();
    // Only a regular file: a FIFO or device would block or never end.
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    const FileDescriptor& fd = log.fd;
    // Taken before reading: a change made while we read shows at Save.
    const FileIdentity identity = log.Ok() ? FileIdentity::OfDescriptor(fd.Get()) : FileIdentity();
    if (!identity.exists) {
        m_loadedIdentity = FileIdentity::OfPath(path);
        return false;
    }
    m_loadedIdentity = identity;

    m_entries.reserve(
        std::min(static_cast<std::size_t>(identity.size) / kTripleSize + 1, kMaxReservedEntries));
    m_nReadState = 0;
    bool result = false;
    const bool complete = ForEachLine(fd.Get(), [&](std::string_view line) {
        // An In line where an Out or Elapsed line is due starts a new entry, so that a lone
        // In line (an open period the editor kept) does not put the rest out of step.
        if (m_nReadState == 0 || IsInLine(line)) {
            result = ParseInLine(line);
            m_nReadState = 1;
        } else if (m_nReadState == 1) {
            result = ParseOutLine(line);
            m_nReadState = 2;
        } else {
            result = ParseElapsedLine(line);
            m_nReadState = 0;
        }
    });
    return complete && result;
}

bool CTimeEntryList::ReadPunchTime(std::string_view line, TimeValue& time) {
    const int month = ParseMonth(line);
    if (month < 0) return false;
    const int day = ParseDay(line);
    if (day < 0) return false;
    const int hour = ParseHour(line);
    if (hour < 0) return false;
    const int minute = ParseMinute(line);
    if (minute < 0) return false;
    const int second = ParseSecond(line);
    if (second < 0) return false;
    const int year = ParseYear(line);
    if (year < 0) return false;
    time = m_days.Time(year, month, day, hour, minute, second);
    return true;
}

bool CTimeEntryList::ParseInLine(std::string_view line) {
    TimeValue in = 0;
    if (!IsInLine(line) || !ReadPunchTime(line, in)) return false;
    CTimeEntry entry;
    entry.m_bHasIn = true;
    entry.m_timeIn = in;
    SetEntry(NextId(), entry);
    return true;
}

// Out and Elapsed lines land on the entry of the most recent In line that was recognised.
bool CTimeEntryList::ParseOutLine(std::string_view line) {
    TimeValue out = 0;
    if (!IsOutLine(line) || !ReadPunchTime(line, out)) return false;
    CTimeEntry* entry = Find(m_nLastId);
    if (entry == nullptr) return false;
    entry->m_bHasOut = true;
    entry->m_timeOut = out;
    return true;
}

bool CTimeEntryList::ParseElapsedLine(std::string_view line) {
    if (!IsElapsedLine(line)) return false;
    const std::int64_t elapsed =
        static_cast<std::int64_t>(FieldNumber(LineField(line, kElapsedHoursOffset, 2))) * 3600 +
        FieldNumber(LineField(line, kElapsedMinutesOffset, 2)) * 60 +
        FieldNumber(LineField(line, kElapsedSecondsOffset, 2));
    CTimeEntry* entry = Find(m_nLastId);
    if (entry == nullptr) return false;
    entry->m_bHasElapsed = true;
    entry->m_nElapsed = elapsed;
    return true;
}

}  // namespace tally
