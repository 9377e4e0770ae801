// SPDX-License-Identifier: MIT
// The engine's punches: Clock In and Clock Out, now, at a given instant or back-dated, each
// written in one append under the time log lock.
#include "core/tally_engine.h"

#include <unistd.h>
#include <cerrno>

#include "core/punch_lines.h"
#include "log/file_lock.h"
#include "log/messages.h"
#include "log/time_log_file.h"
#include "time/c_format.h"
#include "time/calendar.h"
#include "time/local_time.h"

namespace tally {
namespace {

constexpr const char* kCreateFailedText = "ERROR! Failed to open/create '%s'.";
constexpr const char* kCreateFailedCaption = "Aborting TallyBook program.";
constexpr const char* kNotElapsedText =
    "ERROR! Last %s string is not an 'Elapsed...' Can't append an 'In...' string.";
constexpr const char* kNotElapsedCaption = "Aborting TallyBook operation.";
constexpr const char* kNotInText =
    "ERROR! Last entry in %s was NOT an IN operation. Aborting operation.\n";
constexpr const char* kWriteFailedText = "ERROR! Failed to write to %s. Aborting operation.\n";
constexpr const char* kReadFailedText =
    "ERROR! Failed to read the last In record of %s. Aborting operation.\n";

// Clock Out closes the In's day and opens today's; the days between stay empty, and only
// the user knows whether work was done on them.
Message SkippedDaysMessage(const SkippedDays& days) {
    const bool one = days.first == days.last;
    const std::string span =
        one ? "The day " + DayText(days.first) + " was"
            : "The days from " + DayText(days.first) + " to " + DayText(days.last) + " were";
    return {span + " not counted: the In was punched on " + DayText(days.in) +
                ", and Clock Out counts only that day and today. If you worked on " +
                (one ? "it" : "them") +
                ", add the time with tally add START END (each \"YYYY-MM-DD HH:MM\").",
            kApplicationName, MessageIcon::Warning};
}

Message StopMessage(const char* templ, const std::string& value) {
    return {FillTemplate(templ, value), kErrorCaption, MessageIcon::Stop};
}

// Why a punch could not take the lock; Clock In names a log it could neither open nor make.
std::optional<Message> LockRefusal(FileLock::Status status, const std::string& path,
                                   bool creating) {
    switch (status) {
        case FileLock::Status::Locked:
            return std::nullopt;
        case FileLock::Status::Busy:
            return InUseMessage(path);
        case FileLock::Status::NotRegular:
            return StopMessage(kNotRegularText, path);
        case FileLock::Status::Missing:
            if (!creating) return StopMessage(kNoLogText, path);
            break;
        case FileLock::Status::OpenFailed:
            if (!creating) return StopMessage(kOpenFailedText, path);
            break;
    }
    return Message{FillTemplate(kCreateFailedText, path), kCreateFailedCaption, MessageIcon::Stop};
}

// The record at the end of the log (the open In record), split.
bool ReadLastRecord(int fd, PunchRecord& record) {
    char bytes[kRecordSize] = {};
    if (ReadAt(fd, bytes, kRecordSize - 1, FileSize(fd) - kRecordSize) <
        static_cast<long>(kRecordSize - 1)) {
        return false;
    }
    record = PunchRecord::FromText(bytes, kRecordTextLength);
    record.Split();
    return true;
}

}  // namespace

// One write, so that a reader never sees half a punch. On failure the file is cut back to
// the length it had under the lock and no shorter: what another program appended between
// our create and our lock stays. A log this Clock In created goes again only while it is
// still empty.
bool TallyEngine::WritePunch(int fd, const std::string& lines, bool created) {
    const std::int64_t before = FileSize(fd);
    ssize_t written;
    do {
        written = ::write(fd, lines.data(), lines.size());
    } while (written < 0 && errno == EINTR);
    if (written == static_cast<ssize_t>(lines.size())) return true;
    if (before >= 0 && ftruncate(fd, static_cast<off_t>(before)) != 0) {
        // Nothing more can be done here; the message still reports the failure.
    }
    if (created && before == 0) unlink(settings_.DataLog.c_str());
    return false;
}

bool TallyEngine::OnClockIn() {
    return ClockIn(clock_.Now(), false);
}

bool TallyEngine::OnClockInAt(TimeValue when) {
    return ClockIn(when, false);
}

bool TallyEngine::OnClockInBackdated(TimeValue when) {
    return ClockIn(when, true);
}

bool TallyEngine::ClockIn(TimeValue when, bool backdated) {
    std::optional<Message> refusal = backdated ? TimeRefusal(when) : std::nullopt;
    if (!refusal) refusal = AppendInPunch(when, backdated);
    if (refusal) {
        reporter_->Report(*refusal);
        return false;
    }
    ScanTimeLog();
    return true;
}

// The lock lives only in here: it is released before the caller shows a message.
std::optional<Message> TallyEngine::AppendInPunch(TimeValue when, bool backdated) {
    const std::string& path = settings_.DataLog;
    FileLock lock;
    bool created = false;
    if (auto refusal = LockRefusal(lock.Acquire(path, true, &created, lockOptions_), path, true))
        return refusal;
    if (FileSize(lock.Fd()) > 0 && !EndsWithElapsedLine(lock.Fd())) {
        return Message{FillTemplate(kNotElapsedText, path), kNotElapsedCaption, MessageIcon::Stop};
    }
    if (backdated) {
        if (auto refusal = OrderRefusal(lock.Fd(), when)) return refusal;
    }
    std::string lines;
    AppendInRecord(lines, ToLocalTm(when));
    if (!WritePunch(lock.Fd(), lines, created)) return StopMessage(kWriteFailedText, path);
    return std::nullopt;
}

bool TallyEngine::OnClockOut() {
    return OnClockOutAt(clock_.Now());
}

bool TallyEngine::OnClockOutAt(TimeValue when, const OpenInRecord* expected) {
    return ClockOut(when, expected, false);
}

bool TallyEngine::OnClockOutBackdated(TimeValue when) {
    return ClockOut(when, nullptr, true);
}

bool TallyEngine::ClockOut(TimeValue when, const OpenInRecord* expected, bool backdated) {
    {
        FileDescriptor probe(OpenTimeLog(true));
        if (probe.Get() < 0) return false;
    }
    bool inChanged = false;
    std::optional<SkippedDays> skipped;
    if (const std::optional<Message> refusal =
            AppendOutPunch(when, expected, backdated, inChanged, skipped)) {
        reporter_->Report(*refusal);
        return false;
    }
    if (inChanged) return false;
    BuildMarqueeCaption();
    m_bClockedIn = false;
    ScanTimeLog();
    if (skipped) reporter_->Report(SkippedDaysMessage(*skipped));
    return true;
}

// The lock lives only in here: it is released before the caller shows a message.
std::optional<Message> TallyEngine::AppendOutPunch(TimeValue when, const OpenInRecord* expected,
                                                   bool backdated, bool& inChanged,
                                                   std::optional<SkippedDays>& skipped) {
    const std::string& path = settings_.DataLog;
    FileLock lock;
    if (auto refusal = LockRefusal(lock.Acquire(path, false, nullptr, lockOptions_), path, false))
        return refusal;
    // Compared under the lock, so that no punch can come between the check and the write.
    if (expected != nullptr && ReadOpenInRecord(lock.Fd()) != *expected) {
        inChanged = true;
        return std::nullopt;
    }
    if (!EndsWithInRecord(lock.Fd())) return StopMessage(kNotInText, kVersionLabel);
    PunchRecord in;
    if (!ReadLastRecord(lock.Fd(), in)) return StopMessage(kReadFailedText, path);
    if (backdated) {
        if (auto refusal = TimeRefusal(when)) return refusal;
        if (auto refusal = OrderRefusal(lock.Fd(), when)) return refusal;
    }
    if (!WritePunch(lock.Fd(), ClockOutLines(in, when), false)) {
        return StopMessage(kWriteFailedText, path);
    }
    skipped = DaysClockOutSkips(in, when);
    return std::nullopt;
}

// A punch after now is a guess, not a record, and one of a year the raw reader does not
// accept could never be read back; refused before the lock, so that a log that Clock In
// would create is never made for it.
std::optional<Message> TallyEngine::TimeRefusal(TimeValue when) const {
    const TimeValue now = clock_.Now();
    const std::tm at = ToLocalTm(when);
    if (at.tm_year + 1900 < kFirstLoggableYear || at.tm_year + 1900 > kLastLoggableYear) {
        return Message{"Refused: " + FormatTimestamp(at) + " lies outside the years " +
                           std::to_string(kFirstLoggableYear) + "-" +
                           std::to_string(kLastLoggableYear) +
                           " that the log holds. Nothing was written.",
                       kApplicationName, MessageIcon::Stop};
    }
    if (when <= now) return std::nullopt;
    return Message{"Refused: " + FormatTimestamp(at) + " is after now (" +
                       FormatTimestamp(ToLocalTm(now)) + "). Nothing was written.",
                   kApplicationName, MessageIcon::Stop};
}

// Read under the lock, so that no punch can come between the check and the write: a punch
// before the last record would put the log out of time order.
std::optional<Message> TallyEngine::OrderRefusal(int fd, TimeValue when) const {
    const std::optional<TimeValue> last = ReadLastPunchTime(fd);
    if (!last || when >= *last) return std::nullopt;
    return Message{"Refused: " + FormatTimestamp(ToLocalTm(when)) +
                       " is before the last record of " + settings_.DataLog + " (" +
                       FormatTimestamp(ToLocalTm(*last)) + "). Nothing was written.",
                   kApplicationName, MessageIcon::Stop};
}

}  // namespace tally