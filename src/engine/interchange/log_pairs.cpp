// SPDX-License-Identifier: MIT
#include "interchange/log_pairs.h"

#include <unistd.h>

#include "log/record_stream.h"
#include "log/time_log_file.h"
#include "time/pair_time.h"

namespace tally {
namespace {

std::int64_t CountOf(const char* bytes) {
    PunchRecord r = PunchRecord::FromText(bytes, kRecordTextLength);
    r.Split();
    return WallSeconds(FieldsOf(r));
}

}  // namespace

LogPairs ReadLogPairs(int fd) {
    LogPairs log;
    log.size = FileSize(fd);
    if (log.size > 0) {
        char last = '\n';
        log.endsWithLineEnd = ReadAt(fd, &last, 1, log.size - 1) == 1 && last == '\n';
    }
    lseek(fd, 0, SEEK_SET);
    BufferedReader reader(fd);
    for (;;) {
        LogPair pair;
        pair.offset = reader.Consumed();
        std::size_t taken = 0;
        const char* bytes = ReadRecordBytes(reader, taken);
        if (taken < kRecordSize) break;
        pair.in = CountOf(bytes);
        bytes = ReadRecordBytes(reader, taken);
        if (taken < kRecordSize) {
            log.open = pair;
            break;
        }
        pair.out = CountOf(bytes);
        log.closed.push_back(pair);
        if (ReadElapsedLine(reader, [](char) {}) != ElapsedRead::Line) break;
    }
    return log;
}

}  // namespace tally
