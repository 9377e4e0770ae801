// SPDX-License-Identifier: MIT
#pragma once
// Takes the rows of each scan for the form's two lists and tells their models: a scan
// starts a reset of both, Finish ends it once the engine has returned.

#include <cstddef>
#include <functional>
#include <vector>

#include "core/list_rows.h"
#include "reports/report_buckets.h"
#include "window/list_models.h"

namespace tally {

class ListRowsSink final : public RowSink {
  public:
    // onScanStart runs as each scan begins, before the scan opens the time log.
    explicit ListRowsSink(std::function<void()> onScanStart);

    void Clear() override;
    void AddRawRow(const RawRow& row) override { rows_.AddRawRow(row); }
    void AddDailyRow(const DailyRow& row) override {
        rows_.AddDailyRow(row);
        rawRowsBefore_.push_back(rows_.raw.size());
    }

    // Ends the models' reset if a scan began one (true then); call after every engine operation.
    bool Finish();
    // The days of the last scan, whose end state is given, as a DayCollector in the scan
    // would have listed them. Worked out from the rows when asked: only the Hours Chart
    // asks, so a window that never shows it does not pay for them at every scan.
    std::vector<ScannedDay> Days(const ScanState& scanEnd) const;

    DailyListModel* Daily() { return &daily_; }
    RawListModel* Raw() { return &raw_; }
    const RowLists& Rows() const { return rows_; }

  private:
    std::function<void()> onScanStart_;
    RowLists rows_;
    std::vector<std::size_t> rawRowsBefore_;  // for each daily row: the raw rows before it
    DailyListModel daily_;
    RawListModel raw_;
    bool resetting_ = false;
};

}  // namespace tally
