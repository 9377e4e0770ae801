// SPDX-License-Identifier: MIT
// The engine's state and its scan; the punches are in tally_engine_punches.cpp, the live
// totals in tally_engine_totals.cpp.
#include "core/tally_engine.h"

#include "log/time_log_file.h"

namespace tally {

TallyEngine::TallyEngine(const Clock& clock, Reporter& reporter)
    : clock_(clock), reporter_(&reporter) {
    settings_.DataLog = DefaultTimeLogPath();
}

int TallyEngine::OpenTimeLog(bool reportErrors) const {
    return tally::OpenTimeLog(settings_.DataLog, LogAccess::ReadAppend,
                              reportErrors ? reporter_ : nullptr);
}

bool TallyEngine::IsLastRecordIn() const {
    return tally::IsLastRecordIn(settings_.DataLog);
}

void TallyEngine::ForgetLastScan() {
    state_ = {};
    texts_ = {};
}

void TallyEngine::ScanTimeLog() {
    rowSink_->Clear();
    state_.todayMark = state_.periodMark = 0;
    m_bClockedIn = false;
    state_.dayCount = state_.periodCount = 0;
    texts_.todayFirst.clear();
    texts_.periodFirst.clear();
    logError_.clear();
    state_.stop = {};
    const OpenedLog log = OpenTimeLogFile(settings_.DataLog, LogAccess::Read);
    if (!log.Ok()) {
        // A missing log is an empty one; anything else must not pass for an empty log.
        if (log.status != OpenedLog::Status::Missing) {
            logError_ = log.Reason(settings_.DataLog, LogAccess::Read);
        }
        return;
    }
    state_ = ScanRecords(log.fd.Get(), settings_, *rowSink_);
    m_bClockedIn = state_.clockedIn;
    UpdateTodayTotals(state_.todayMark);
    UpdatePeriodTotals(state_.periodMark);
}

Reporter& TallyEngine::SetReporter(Reporter& reporter) {
    Reporter& before = *reporter_;
    reporter_ = &reporter;
    return before;
}

}  // namespace tally
