// SPDX-License-Identifier: MIT
#include "core/open_in_record.h"

#include <utility>

#include "log/record_layout.h"
#include "log/time_log_file.h"
#include "time/calendar.h"

namespace tally {
namespace {

// The split record of kRecordTextLength bytes at offset, and the instant it names (an unknown
// month counts as January, as Clock Out reads it).
std::optional<std::pair<std::string, TimeValue>> RecordAt(int fd, std::int64_t offset) {
    char bytes[kRecordSize] = {};
    if (offset < 0 || ReadAt(fd, bytes, kRecordTextLength, offset) < kRecordTextLength)
        return std::nullopt;
    PunchRecord fields = PunchRecord::FromText(bytes, kRecordTextLength);
    fields.Split();
    const TimeValue at =
        FromLocalTime(fields.YearNumber(), MonthIndex(fields.Month()) + 1, fields.DayNumber(),
                      fields.HourNumber(), fields.MinuteNumber(), fields.SecondNumber());
    return std::pair{std::string(bytes, kRecordTextLength), at};
}

}  // namespace

std::optional<OpenInRecord> ReadOpenInRecord(const std::string& path) {
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (!log.Ok()) return std::nullopt;
    return ReadOpenInRecord(log.fd.Get());
}

std::optional<OpenInRecord> ReadOpenInRecord(int fd) {
    if (!EndsWithInRecord(fd)) return std::nullopt;
    const std::int64_t offset = FileSize(fd) - static_cast<std::int64_t>(kRecordSize);
    const auto record = RecordAt(fd, offset);
    if (!record) return std::nullopt;
    return OpenInRecord{record->first, offset, record->second};
}

std::optional<TimeValue> ReadLastPunchTime(int fd) {
    if (const auto in = ReadOpenInRecord(fd)) return in->at;
    if (!EndsWithElapsedLine(fd)) return std::nullopt;
    const auto out = RecordAt(fd, FileSize(fd) - static_cast<std::int64_t>(kElapsedLineSize) -
                                      static_cast<std::int64_t>(kRecordSize));
    if (!out || !out->first.starts_with(kOutPrefix)) return std::nullopt;
    return out->second;
}

}  // namespace tally
