// SPDX-License-Identifier: MIT
#include "time/elapsed_time.h"

#include <cstdlib>
#include <cstring>

#include "time/calendar.h"
#include "time/punch_record.h"

namespace tally {

void NormalizeElapsed(ELAPSEDTIME& e) {
    if (e.nSeconds > 59) {
        e.nMinutes += e.nSeconds / 60;
        e.nSeconds %= 60;
    }
    if (e.nMinutes > 59) {
        e.nHours += e.nMinutes / 60;
        e.nMinutes %= 60;
    }
}

void RoundElapsed(ELAPSEDTIME& e, const RoundingOptions& options) {
    NormalizeElapsed(e);
    if (options.type == kRoundNone) return;
    const int minuteSeconds = e.nMinutes * 60 + e.nSeconds;
    switch (options.unit) {
        case 1:
            if (e.nSeconds >= 30) ++e.nMinutes;
            e.nSeconds = 0;
            break;
        case 15: {
            const int quarters = (minuteSeconds + 450) / 900;  // 7:30 rounds up
            e.nMinutes = quarters * 15;
            e.nSeconds = 0;
            break;
        }
        case 30:
            e.nMinutes = e.nMinutes < 15 ? 0 : (e.nMinutes < 45 ? 30 : 60);
            e.nSeconds = 0;
            break;
        default:
            break;
    }
    NormalizeElapsed(e);
}

void AddElapsed(ELAPSEDTIME& target, const ELAPSEDTIME& value, const RoundingOptions& options) {
    ELAPSEDTIME copy = value;
    RoundElapsed(copy, options);
    target.nHours += copy.nHours;
    target.nMinutes += copy.nMinutes;
    target.nSeconds += copy.nSeconds;
    NormalizeElapsed(target);
    if (options.type == kRoundDaily) RoundElapsed(target, options);
}

std::int64_t ElapsedToSeconds(const ELAPSEDTIME& e) {
    return static_cast<std::int64_t>(e.nHours) * 3600 + static_cast<std::int64_t>(e.nMinutes) * 60 +
           e.nSeconds;
}

ELAPSEDTIME SplitSeconds(std::int64_t seconds) {
    return {static_cast<std::int32_t>(seconds / 3600),
            static_cast<std::int32_t>(seconds % 3600 / 60),
            static_cast<std::int32_t>(seconds % 60)};
}

ELAPSEDTIME SplitWithinDay(std::int64_t seconds) {
    return SplitSeconds(seconds % kSecondsPerDay);
}

void RoundPunchFields(char* record, const RoundingOptions& options) {
    if (options.type == kRoundNone) return;
    PunchRecord r = PunchRecord::FromText(record, kRecordTextLength);
    r.Split();
    ELAPSEDTIME t{r.HourNumber(), r.MinuteNumber(), r.SecondNumber()};
    RoundElapsed(t, options);
    PutTwoDigits(r.buf + kHourOffset, t.nHours);
    PutTwoDigits(r.buf + kMinuteOffset, t.nMinutes);
    PutTwoDigits(r.buf + kSecondOffset, t.nSeconds);
    r.Join();
    std::memcpy(record, r.buf, kRecordTextLength);
}

double MoneyAmount(const ELAPSEDTIME& e, double rate) {
    return e.nSeconds * rate * 0.0002777777777777778 + e.nMinutes * rate * 0.016666666666666666 +
           e.nHours * rate;
}

}  // namespace tally
