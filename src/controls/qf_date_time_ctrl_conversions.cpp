// The picker's conversions between its fields, QDateTime and TimeValue.
#include <QDate>
#include <QTime>

#include "controls/qf_date_time_ctrl.h"
#include "core/local_time.h"

namespace tally {

void CQFDateTimeCtrl::SysTimeFromCOleDateTime(const QDateTime& time, SystemTime* out) {
    const QDateTime local = time.toLocalTime();
    const QDate date = local.date();
    const QTime clock = local.time();
    out->year = date.year();
    out->month = date.month();
    out->day = date.day();
    out->hour = clock.hour();
    out->minute = clock.minute();
    out->second = clock.second();
    out->milliseconds = 0;
}

void CQFDateTimeCtrl::SysTimeFromCTime(TimeValue time, SystemTime* out) {
    const std::tm local = ToLocalTm(time);
    out->year = local.tm_year + 1900;
    out->month = local.tm_mon + 1;
    out->day = local.tm_mday;
    out->hour = local.tm_hour;
    out->minute = local.tm_min;
    out->second = local.tm_sec;
    out->milliseconds = 0;
}

QDateTime CQFDateTimeCtrl::COleDateTimeFromSysTime(const SystemTime& time) {
    const QDate date(time.year, time.month, time.day);
    const QTime clock(time.hour, time.minute, time.second);
    if (!date.isValid() || !clock.isValid()) return {};
    const QDateTime value(date, clock);
    if (value.isValid()) return value;
    // Qt has no value for a wall time that a clock change skipped.
    return QDateTime::fromSecsSinceEpoch(CTimeFromSysTime(time));
}

TimeValue CQFDateTimeCtrl::CTimeFromSysTime(const SystemTime& time) {
    if (!QDate::isValid(time.year, time.month, time.day) ||
        !QTime::isValid(time.hour, time.minute, time.second)) {
        return 0;
    }
    return FromLocalTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

}  // namespace tally
