// SPDX-License-Identifier: MIT
#include "core/open_in_record.h"

#include "core/calendar.h"
#include "core/punch_record.h"
#include "core/time_log_file.h"

namespace tally {

std::optional<OpenInRecord> ReadOpenInRecord(const std::string& path) {
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (!log.Ok()) return std::nullopt;
    return ReadOpenInRecord(log.fd.Get());
}

std::optional<OpenInRecord> ReadOpenInRecord(int fd) {
    if (!EndsWithInRecord(fd)) return std::nullopt;
    const std::int64_t offset = FileSize(fd) - static_cast<std::int64_t>(kRecordSize);
    char bytes[kRecordSize] = {};
    if (ReadAt(fd, bytes, kRecordTextLength, offset) < kRecordTextLength) return std::nullopt;
    PunchRecord fields = PunchRecord::FromText(bytes, kRecordTextLength);
    fields.Split();
    // Clock Out reads an unknown month as January too.
    const TimeValue at =
        FromLocalTime(fields.YearNumber(), MonthIndex(fields.Month()) + 1, fields.DayNumber(),
                      fields.HourNumber(), fields.MinuteNumber(), fields.SecondNumber());
    return OpenInRecord{std::string(bytes, kRecordTextLength), offset, at};
}

}  // namespace tally
