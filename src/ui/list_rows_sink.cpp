#include "ui/list_rows_sink.h"

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
}

bool ListRowsSink::Finish() {
    if (!resetting_) return false;
    resetting_ = false;
    daily_.EndReset();
    raw_.EndReset();
    return true;
}

}  // namespace tally
