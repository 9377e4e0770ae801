// SPDX-License-Identifier: MIT
#include "log/record_layout.h"

namespace tally {

std::string InRecordLine(const std::tm& time) {
    return kInPrefix + FormatTimestamp(time) + kLineEnd;
}

std::string OutRecordLine(const std::tm& time) {
    return kOutPrefix + FormatTimestamp(time) + kLineEnd;
}

std::string ElapsedLine(const ELAPSEDTIME& e) {
    char text[kElapsedLineSize + 1] = "Elapsed time of 00:00:00.\r\n";
    PutTwoDigits(text + kElapsedHoursOffset, e.nHours);
    PutTwoDigits(text + kElapsedMinutesOffset, e.nMinutes);
    PutTwoDigits(text + kElapsedSecondsOffset, e.nSeconds);
    return std::string(text, kElapsedLineSize);
}

}  // namespace tally
