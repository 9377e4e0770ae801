#pragma once
// Takes the rows of each scan for the form's two lists and tells their models: a scan
// starts a reset of both, Finish ends it once the engine has returned.

#include <functional>

#include "core/list_rows.h"
#include "ui/list_models.h"

namespace tally {

class ListRowsSink final : public RowSink {
  public:
    // onScanStart runs as each scan begins, before the scan opens the time log.
    explicit ListRowsSink(std::function<void()> onScanStart);

    void Clear() override;
    void AddRawRow(const RawRow& row) override { rows_.AddRawRow(row); }
    void AddDailyRow(const DailyRow& row) override { rows_.AddDailyRow(row); }

    // Ends the models' reset if a scan began one (true then); call after every engine operation.
    bool Finish();

    DailyListModel* Daily() { return &daily_; }
    RawListModel* Raw() { return &raw_; }
    const RowLists& Rows() const { return rows_; }

  private:
    std::function<void()> onScanStart_;
    RowLists rows_;
    DailyListModel daily_;
    RawListModel raw_;
    bool resetting_ = false;
};

}  // namespace tally
