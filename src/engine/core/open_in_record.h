// SPDX-License-Identifier: MIT
#pragma once
// The In record at the end of the time log while the user is clocked in: its text, where it
// stands in the file and the instant it names. Two reads that give the same record at the
// same place saw the same open In; any punch in between moves or removes it.

#include <cstdint>
#include <optional>
#include <string>

#include "time/local_time.h"

namespace tally {

struct OpenInRecord {
    std::string text;         // the record without its line end
    std::int64_t offset = 0;  // where it starts in the file
    TimeValue at = 0;         // its local wall time (an unknown month counts as January)

    friend bool operator==(const OpenInRecord&, const OpenInRecord&) = default;
};

// The open In of the log at path; nothing when the log does not end with an In record or
// cannot be read.
std::optional<OpenInRecord> ReadOpenInRecord(const std::string& path);
// The same on an open descriptor (a punch holding the log's lock).
std::optional<OpenInRecord> ReadOpenInRecord(int fd);

// The instant of the log's last record: the open In, or the Out before the closing Elapsed
// line. Nothing for an empty log or one that ends otherwise.
std::optional<TimeValue> ReadLastPunchTime(int fd);

}  // namespace tally
