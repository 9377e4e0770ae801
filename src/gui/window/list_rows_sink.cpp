// SPDX-License-Identifier: MIT
#include "window/list_rows_sink.h"

namespace tally {

ListRowsSink::ListRowsSink(std::function<void()> onScanStart)
    : onScanStart_(std::move(onScanStart)),
      daily_(rows_.daily, kDailyColumnTitles),
      raw_(rows_.raw, kRawColumnTitles) {}

void ListRowsSink::Clear() {
    if (onScanStart_) onScanStart_();
    if (!resetting_) {
        daily_.BeginReset();
        raw_.BeginReset();
        resetting_ = true;
    }
    rows_.Clear();
    rawRowsBefore_.clear();
}

bool ListRowsSink::Finish() {
    if (!resetting_) return false;
    resetting_ = false;
    daily_.EndReset();
    raw_.EndReset();
    return true;
}

std::vector<ScannedDay> ListRowsSink::Days(const ScanState& scanEnd) const {
    // The rows in the order the scan gave them.
    DayCollector days;
    std::size_t raw = 0;
    for (std::size_t i = 0; i < rows_.daily.size(); ++i) {
        for (; raw < rawRowsBefore_[i]; ++raw) days.AddRawRow(rows_.raw[raw]);
        days.AddDailyRow(rows_.daily[i]);
    }
    for (; raw < rows_.raw.size(); ++raw) days.AddRawRow(rows_.raw[raw]);
    return days.Finish(scanEnd);
}

}  // namespace tally
