#include "core/punch_lines.h"

#include <strings.h>

namespace tally {

void AppendInRecord(std::string& lines, const std::tm& time) {
    lines += InRecordLine(time);
}

void AppendOutRecord(std::string& lines, const std::tm& time, const PunchRecord& inFields,
                     const PunchRecord& outFields) {
    lines += OutRecordLine(time);
    ELAPSEDTIME elapsed;
    ComputeOutElapsed(inFields, outFields, elapsed);
    lines += ElapsedLine(elapsed);
}

bool ComputeOutElapsed(const PunchRecord& in, const PunchRecord& out, ELAPSEDTIME& elapsed) {
    int outHour = out.HourNumber();
    int outMinute = out.MinuteNumber();
    int outSecond = out.SecondNumber();
    const int inHour = in.HourNumber();
    const int inMinute = in.MinuteNumber();
    const int inSecond = in.SecondNumber();
    if (strcasecmp(in.Weekday(), out.Weekday()) != 0) outHour += 24;
    if (inSecond > outSecond) {
        --outMinute;
        outSecond += 60;
    }
    if (inMinute > outMinute) {
        --outHour;
        outMinute += 60;
    }
    if (inHour > outHour) return false;
    elapsed.nSeconds += outSecond - inSecond;
    NormalizeElapsed(elapsed);
    elapsed.nMinutes += outMinute - inMinute;
    NormalizeElapsed(elapsed);
    elapsed.nHours += outHour - inHour;
    return true;
}

}  // namespace tally
