#include "core/tally_engine.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "core/c_format.h"
#include "core/calendar.h"
#include "core/local_time.h"
#include "core/punch_lines.h"
#include "core/time_log_file.h"
#include "core/time_log_lock.h"
#include "core/totals_text.h"

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

// Adds the seconds from mark to now to a total; the mark moves to now either way.
void RunOn(std::int64_t& mark, std::int64_t now, ELAPSEDTIME* a, ELAPSEDTIME* b) {
    if (mark != 0 && now > mark) {
        const std::int64_t diff = now - mark;
        for (ELAPSEDTIME* total : {a, b}) {
            if (total == nullptr) continue;
            total->nMinutes += static_cast<std::int32_t>(diff / 60);
            total->nSeconds += static_cast<std::int32_t>(diff % 60);
            NormalizeElapsed(*total);
        }
    }
    mark = now;
}

std::int64_t FileSize(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

}  // namespace

TallyEngine::TallyEngine(const Clock& clock, Reporter& reporter)
    : m_clock(clock), m_reporter(reporter) {
    m_settings.DataLog = DefaultTimeLogPath();
}

int TallyEngine::OpenTimeLog(bool reportErrors) const {
    return tally::OpenTimeLog(m_settings.DataLog, LogAccess::ReadAppend,
                              reportErrors ? &m_reporter : nullptr);
}

bool TallyEngine::IsLastRecordIn() const {
    return tally::IsLastRecordIn(m_settings.DataLog);
}

void TallyEngine::ScanTimeLog() {
    m_rowSink->Clear();
    m_state.todayMark = m_state.periodMark = 0;
    m_bClockedIn = false;
    m_state.dayCount = m_state.periodCount = 0;
    m_texts.todayFirst.clear();
    m_texts.periodFirst.clear();
    m_logError.clear();
    m_state.stop = {};
    const OpenedLog log = OpenTimeLogFile(m_settings.DataLog, LogAccess::Read);
    if (!log.Ok()) {
        // A missing log is an empty one; anything else must not pass for an empty log.
        if (log.status != OpenedLog::Status::Missing) {
            m_logError = log.Reason(m_settings.DataLog, LogAccess::Read);
        }
        return;
    }
    m_state = ScanRecords(log.fd.Get(), m_settings, *m_rowSink);
    m_bClockedIn = m_state.clockedIn;
    UpdateTodayTotals(m_state.todayMark);
    UpdatePeriodTotals(m_state.periodMark);
}

std::int64_t TallyEngine::NowCount() const {
    return SecondsCountOf(ToLocalTm(m_clock.Now()));
}

bool TallyEngine::OnTimer() {
    const std::int64_t now = NowCount();
    if (!m_bClockedIn) return false;
    UpdateTodayTotals(now);
    UpdatePeriodTotals(now);
    m_marquee.Rotate();
    return true;
}

void TallyEngine::BringUpToNow() {
    if (!m_bClockedIn) return;
    const std::int64_t now = NowCount();
    UpdateTodayTotals(now);
    UpdatePeriodTotals(now);
}

void TallyEngine::ShowTotals(const ELAPSEDTIME& total, std::string& first, std::string& second,
                             int count) const {
    const RoundingOptions rounding = m_settings.Rounding();
    ELAPSEDTIME roundedTotal = total;
    ELAPSEDTIME roundedGrand = m_state.grandTotal;
    RoundElapsed(roundedTotal, rounding);
    RoundElapsed(roundedGrand, rounding);
    const MoneyOptions money{m_settings.ShowDollars, m_settings.Rate};
    first = TotalText(roundedTotal, money);
    second = AverageText(roundedGrand, count, money);
}

void TallyEngine::UpdateTodayTotals(std::int64_t now) {
    RunOn(m_state.todayMark, now, &m_state.dayTotal, &m_state.grandTotal);
    ShowTotals(m_state.dayTotal, m_texts.todayFirst, m_texts.todaySecond, m_state.dayCount);
}

void TallyEngine::UpdatePeriodTotals(std::int64_t now) {
    RunOn(m_state.periodMark, now, &m_state.periodTotal, nullptr);
    ShowTotals(m_state.periodTotal, m_texts.periodFirst, m_texts.periodSecond, m_state.periodCount);
}

bool TallyEngine::WritePunch(int fd, const std::string& lines, bool removeOnFailure) {
    const std::int64_t before = FileSize(fd);
    ssize_t written;
    do {
        written = ::write(fd, lines.data(), lines.size());
    } while (written < 0 && errno == EINTR);
    if (written == static_cast<ssize_t>(lines.size())) return true;
    // Cut the file back to what it held before, so no half punch stays behind.
    if (removeOnFailure) {
        unlink(m_settings.DataLog.c_str());
    } else if (before >= 0) {
        if (ftruncate(fd, static_cast<off_t>(before)) != 0) {
            // Nothing more can be done here; the message below still reports the failure.
        }
    }
    return false;
}

bool TallyEngine::OnClockIn() {
    const std::string& path = m_settings.DataLog;
    Message refusal;
    {
        TimeLogLock lock;
        bool created = false;
        switch (lock.Acquire(path, true, &created)) {
            case TimeLogLock::Status::Locked:
                break;
            case TimeLogLock::Status::Busy:
                refusal = InUseMessage(path);
                break;
            default:
                refusal = {FillTemplate(kCreateFailedText, path), kCreateFailedCaption,
                           MessageIcon::Stop};
                break;
        }
        if (refusal.text.empty()) {
            if (FileSize(lock.Fd()) > 0 && !EndsWithElapsedLine(lock.Fd())) {
                refusal = {FillTemplate(kNotElapsedText, path), kNotElapsedCaption,
                           MessageIcon::Stop};
            } else {
                std::string lines;
                AppendInRecord(lines, ToLocalTm(m_clock.Now()));
                if (!WritePunch(lock.Fd(), lines, created)) {
                    refusal = {FillTemplate(kWriteFailedText, path), kErrorCaption,
                               MessageIcon::Stop};
                }
            }
        }
    }  // the lock is released before any message is shown
    if (!refusal.text.empty()) {
        m_reporter.Report(refusal);
        return false;
    }
    ScanTimeLog();
    return true;
}

bool TallyEngine::OnClockOut() {
    const std::string& path = m_settings.DataLog;
    {
        FileDescriptor probe(OpenTimeLog(true));
        if (probe.Get() < 0) return false;
    }
    Message refusal;
    {
        TimeLogLock lock;
        switch (lock.Acquire(path, false)) {
            case TimeLogLock::Status::Locked:
                break;
            case TimeLogLock::Status::Busy:
                refusal = InUseMessage(path);
                break;
            case TimeLogLock::Status::Missing:
                refusal = {FillTemplate(kNoLogText, path), kErrorCaption, MessageIcon::Stop};
                break;
            case TimeLogLock::Status::OpenFailed:
                refusal = {FillTemplate(kOpenFailedText, path), kErrorCaption, MessageIcon::Stop};
                break;
        }
        if (refusal.text.empty() && !EndsWithInRecord(lock.Fd())) {
            refusal = {FillTemplate(kNotInText, kVersionLabel), kErrorCaption, MessageIcon::Stop};
        }
        if (refusal.text.empty()) {
            char bytes[kRecordSize] = {};
            if (ReadAt(lock.Fd(), bytes, kRecordSize - 1, FileSize(lock.Fd()) - kRecordSize) <
                static_cast<long>(kRecordSize - 1)) {
                return false;
            }
            PunchRecord in = PunchRecord::FromText(bytes, kRecordTextLength);
            in.Split();

            std::tm now = ToLocalTm(m_clock.Now());
            const std::string stamp = FormatTimestamp(now) + "\n";
            PunchRecord nowFields = ParseTimestamp(stamp.data(), stamp.size());

            std::string lines;
            if (std::strcmp(in.Day(), nowFields.Day()) != 0) {
                // Close the In's day at 23:59:59 and open today at midnight.
                std::tm closing = now;
                closing.tm_hour = 23;
                closing.tm_min = 59;
                closing.tm_sec = 59;
                closing.tm_mday = in.DayNumber();
                const int month = LookupMonth(in.Month());
                closing.tm_mon = month < 0 ? 0 : month;
                closing.tm_year = in.YearNumber() - 1900;
                closing.tm_wday = WeekdayIndex(in.buf);
                PunchRecord closingFields = in;
                closingFields.SetTimeOfDay("23", "59", "59");
                AppendOutRecord(lines, closing, in, closingFields);

                std::tm midnight = now;
                midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
                AppendInRecord(lines, midnight);
                in = nowFields;
                in.SetTimeOfDay("00", "00", "00");
            }
            AppendOutRecord(lines, now, in, nowFields);
            if (!WritePunch(lock.Fd(), lines, false)) {
                refusal = {FillTemplate(kWriteFailedText, path), kErrorCaption, MessageIcon::Stop};
            }
        }
    }
    if (!refusal.text.empty()) {
        m_reporter.Report(refusal);
        return false;
    }
    BuildMarqueeCaption();
    m_bClockedIn = false;
    ScanTimeLog();
    return true;
}

}  // namespace tally
