// SPDX-License-Identifier: MIT
#pragma once
// A picker from another module: it derives from the exported CQFDateTimeCtrl, records the
// last value each time DoDateTimeChange runs, and opens the protected members to the tests.

#include <QDateTime>
#include <vector>

#include "controls/qf_date_time_ctrl.h"

#define TALLY_DERIVED_PICKER_EXPORT __attribute__((visibility("default")))

namespace tally::test {

class TALLY_DERIVED_PICKER_EXPORT RecordingPicker : public CQFDateTimeCtrl {
  public:
    explicit RecordingPicker(QWidget* parent = nullptr, PickerStyle style = PickerStyle::DropDown);

    void DoDateTimeChange() override;

    // The last value as each call of DoDateTimeChange found it.
    const std::vector<QDateTime>& Committed() const { return committed_; }

    using CQFDateTimeCtrl::COleDateTimeFromSysTime;
    using CQFDateTimeCtrl::CTimeFromSysTime;
    using CQFDateTimeCtrl::GetSystemTime;
    using CQFDateTimeCtrl::nCommonControlsInitialised;
    using CQFDateTimeCtrl::OnDateTimeChangeNotify;
    using CQFDateTimeCtrl::SetNotifyWhileDropped;
    using CQFDateTimeCtrl::SetSystemTime;
    using CQFDateTimeCtrl::SysTimeFromCOleDateTime;
    using CQFDateTimeCtrl::SysTimeFromCTime;

  private:
    std::vector<QDateTime> committed_;
};

}  // namespace tally::test
