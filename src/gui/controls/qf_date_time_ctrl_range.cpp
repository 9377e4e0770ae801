// SPDX-License-Identifier: MIT
// The picker's range: the earliest and latest value the user can choose.
#include "controls/qf_date_time_ctrl.h"

#include <QScopedValueRollback>

namespace tally {

bool CQFDateTimeCtrl::SetRange(const TimeValue* minimum, const TimeValue* maximum) {
    std::array<SystemTime, 2> limits{};
    unsigned flags = 0;
    if (minimum != nullptr) {
        SysTimeFromCTime(*minimum, &limits[0]);
        flags |= GDTR_MIN;
    }
    if (maximum != nullptr) {
        SysTimeFromCTime(*maximum, &limits[1]);
        flags |= GDTR_MAX;
    }
    return ApplyRange(flags, limits);
}

bool CQFDateTimeCtrl::SetRange(const QDateTime* minimum, const QDateTime* maximum) {
    std::array<SystemTime, 2> limits{};
    unsigned flags = 0;
    if (minimum != nullptr) {
        SysTimeFromCOleDateTime(*minimum, &limits[0]);
        flags |= GDTR_MIN;
    }
    if (maximum != nullptr) {
        SysTimeFromCOleDateTime(*maximum, &limits[1]);
        flags |= GDTR_MAX;
    }
    return ApplyRange(flags, limits);
}

unsigned CQFDateTimeCtrl::GetRange(TimeValue* minimum, TimeValue* maximum) const {
    const std::array<SystemTime, 2> limits = RangeLimits();
    *minimum = CTimeFromSysTime(limits[0]);
    *maximum = CTimeFromSysTime(limits[1]);
    return rangeFlags_;
}

unsigned CQFDateTimeCtrl::GetRange(QDateTime* minimum, QDateTime* maximum) const {
    const std::array<SystemTime, 2> limits = RangeLimits();
    *minimum = COleDateTimeFromSysTime(limits[0]);
    *maximum = COleDateTimeFromSysTime(limits[1]);
    return rangeFlags_;
}

bool CQFDateTimeCtrl::ApplyRange(unsigned flags, const std::array<SystemTime, 2>& limits) {
    const QDateTime minimum = COleDateTimeFromSysTime(limits[0]);
    const QDateTime maximum = COleDateTimeFromSysTime(limits[1]);
    if ((flags & GDTR_MIN) != 0 && !minimum.isValid()) return false;
    if ((flags & GDTR_MAX) != 0 && !maximum.isValid()) return false;
    if (flags == (GDTR_MIN | GDTR_MAX) && maximum < minimum) return false;
    // The edit moves its value into the new range; that is no user's change.
    const QScopedValueRollback guard(settingControl_, true);
    if ((flags & GDTR_MIN) != 0) {
        setMinimumDateTime(minimum);
    } else {
        clearMinimumDateTime();
    }
    if ((flags & GDTR_MAX) != 0) {
        setMaximumDateTime(maximum);
    } else {
        clearMaximumDateTime();
    }
    rangeFlags_ = flags;
    return true;
}

std::array<SystemTime, 2> CQFDateTimeCtrl::RangeLimits() const {
    std::array<SystemTime, 2> limits{};
    SysTimeFromCOleDateTime(minimumDateTime(), &limits[0]);
    SysTimeFromCOleDateTime(maximumDateTime(), &limits[1]);
    return limits;
}

}  // namespace tally
