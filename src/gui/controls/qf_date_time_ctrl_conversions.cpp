// SPDX-License-Identifier: MIT
// The picker's conversions between its fields, QDateTime and TimeValue.
#include <QDate>
#include <QTime>
#include <algorithm>

#include "controls/qf_date_time_ctrl.h"

namespace tally {
namespace {

constexpr qint64 kSecondsPerDay = 24 * 60 * 60;

// The instant of a local wall time, read as the time log reads it: a time that occurs twice
// (autumn) at its first occurrence, one that a clock change skipped (spring) moved forward by
// the gap. The library has no engine to ask, so Qt's local time does the work.
TimeValue InstantOfLocalTime(QDate date, QTime clock) {
    const qint64 asUtc = QDateTime(date, clock, Qt::UTC).toSecsSinceEpoch();
    // A day either side lies outside any one clock change, so these two offsets are the ones
    // that can apply to the wall time.
    const int before = QDateTime::fromSecsSinceEpoch(asUtc - kSecondsPerDay).offsetFromUtc();
    const int after = QDateTime::fromSecsSinceEpoch(asUtc + kSecondsPerDay).offsetFromUtc();
    const auto shows = [&](qint64 instant) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(instant);
        return local.date() == date && local.time() == clock;
    };
    const qint64 earlier = asUtc - std::max(before, after);
    if (shows(earlier)) return earlier;
    const qint64 later = asUtc - std::min(before, after);
    if (shows(later)) return later;
    // Skipped: read with the offset before the change, the wall time lands the gap later.
    return asUtc - before;
}

}  // namespace

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
    SysTimeFromCOleDateTime(QDateTime::fromSecsSinceEpoch(time), out);
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
    return InstantOfLocalTime(QDate(time.year, time.month, time.day),
                              QTime(time.hour, time.minute, time.second));
}

}  // namespace tally
