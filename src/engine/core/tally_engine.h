// SPDX-License-Identifier: MIT
#pragma once
// The running state of the punch clock and its operations: the scan, the two punches,
// the live totals and the marquee caption. The main window and the command line both
// drive this one object. Its state and scan are defined in tally_engine.cpp, the punches in
// tally_engine_punches.cpp, the live totals in tally_engine_totals.cpp.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/current_settings.h"
#include "core/list_rows.h"
#include "core/log_scan.h"
#include "core/marquee_caption.h"
#include "core/open_in_record.h"
#include "core/punch_lines.h"
#include "log/file_lock.h"
#include "log/reporter.h"
#include "time/clock.h"

namespace tally {

// The four totals texts: "Time Today" (first and second line) and "Time This Billing Period".
struct TotalsTexts {
    std::string todayFirst;    // 1003
    std::string todaySecond;   // 1002
    std::string periodFirst;   // 1000
    std::string periodSecond;  // 1001
};

class TallyEngine {
  public:
    TallyEngine(const Clock& clock, Reporter& reporter);

    const Clock& GetClock() const { return clock_; }
    Reporter& GetReporter() const { return *reporter_; }
    // Where the messages go from now on; returns where they went before.
    Reporter& SetReporter(Reporter& reporter);
    CurrentSettings& Settings() { return settings_; }
    const CurrentSettings& Settings() const { return settings_; }

    // Where the scan puts its rows; by default the engine's own lists.
    void SetRowSink(RowSink* sink) { rowSink_ = sink != nullptr ? sink : &rows_; }
    const RowLists& Rows() const { return rows_; }

    int OpenTimeLog(bool reportErrors) const;
    bool IsLastRecordIn() const;

    void ScanTimeLog();
    // Drops every figure of the last scan, the averages too, which a scan of a missing log
    // keeps: for reading another log, whose figures must not mix with this one's.
    void ForgetLastScan();
    // Empty unless the last scan found the log present but unusable (unreadable, not a
    // regular file); then one line naming the file and the reason.
    const std::string& LogError() const { return logError_; }
    bool OnClockIn();  // true when the In record was written
    // Clock In as OnClockIn does it, at the instant given instead of now (a switch's In at
    // the second of its Out).
    bool OnClockInAt(TimeValue when);
    bool OnClockOut();  // true when the Out records were written
    // Clock Out as OnClockOut does it, at the instant given instead of now. With an expected
    // open In, nothing is written or reported (false) unless the log still ends with it.
    bool OnClockOutAt(TimeValue when, const OpenInRecord* expected = nullptr);
    // A punch back-dated to when (tally in/out --at, Clock Out At), written as the punch at
    // that instant would be; refused with a message, nothing written, when it lies before the
    // log's last In or Out record, after the clock's now, or outside the years a log holds.
    bool OnClockInBackdated(TimeValue when);
    bool OnClockOutBackdated(TimeValue when);
    // How the punches take the time log lock (tests wait less than two seconds).
    void SetLockOptions(LockOptions options) { lockOptions_ = std::move(options); }
    const LockOptions& GetLockOptions() const { return lockOptions_; }

    // One timer tick at the clock's current time; true when the caption moved.
    bool OnTimer();
    // After a scan, what one tick would do to the totals (used by the command line).
    void BringUpToNow();
    void UpdateTodayTotals(std::int64_t now);
    void UpdatePeriodTotals(std::int64_t now);

    void BuildMarqueeCaption() { marquee_.Build(); }
    const std::string& MarqueeCaption() const { return marquee_.Text(); }

    bool ClockedIn() const { return m_bClockedIn; }
    void SetClockedIn(bool clockedIn) { m_bClockedIn = clockedIn; }
    const TotalsTexts& Texts() const { return texts_; }
    const ScanState& State() const { return state_; }

  private:
    std::int64_t NowCount() const;
    void ShowTotals(const ELAPSEDTIME& total, std::string& first, std::string& second,
                    int count) const;
    bool WritePunch(int fd, const std::string& lines, bool created);
    // The locked part of each punch; the refusal to show, if any.
    bool ClockIn(TimeValue when, bool backdated);
    std::optional<Message> AppendInPunch(TimeValue when, bool backdated);
    bool ClockOut(TimeValue when, const OpenInRecord* expected, bool backdated);
    // The Out punch; inChanged tells that the log no longer ends with the expected In, and
    // skipped the days between the In's and the Out's, which get no records.
    std::optional<Message> AppendOutPunch(TimeValue when, const OpenInRecord* expected,
                                          bool backdated, bool& inChanged,
                                          std::optional<SkippedDays>& skipped);
    // Why a back-dated punch may not be written at when: it is after now or outside the years
    // a log holds, or before the last record of the log open on fd.
    std::optional<Message> TimeRefusal(TimeValue when) const;
    std::optional<Message> OrderRefusal(int fd, TimeValue when) const;

    const Clock& clock_;
    Reporter* reporter_;
    CurrentSettings settings_;
    bool m_bClockedIn = false;
    ScanState state_;  // totals, marks and counts of the last scan, running on with the clock
    TotalsTexts texts_;
    RowLists rows_;
    std::string logError_;
    RowSink* rowSink_ = &rows_;
    tally::MarqueeCaption marquee_;
    LockOptions lockOptions_;
};

}  // namespace tally
