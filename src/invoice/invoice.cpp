#include "invoice/invoice.h"

#include <algorithm>

#include "core/buffered_reader.h"
#include "core/calendar.h"
#include "core/local_day_cache.h"
#include "core/punch_record.h"
#include "core/time_log_file.h"
#include "invoice/invoice_lines.h"

namespace tally {
namespace {

struct LocalInstant {
    TimeValue time = 0;
    LocalFields wall;  // the local-time breakdown of time
};

CalendarDate DateOf(const LocalInstant& t) {
    return {t.wall.year, t.wall.month, t.wall.day};
}

class InvoiceScan {
  public:
    InvoiceScan(const CalendarDate& start, const CalendarDate& end, double rate,
                const RoundingOptions& rounding)
        : rate_(rate), rounding_(rounding) {
        first_ = days_.Time(start.year, start.month, start.day, 0, 0, 0);
        last_ = days_.Time(end.year, end.month, end.day, 23, 59, 59);
    }

    std::string Run(int fd);

  private:
    bool ReadPunch(BufferedReader& reader, LocalInstant& time);
    LocalInstant Rounded(const LocalInstant& time);
    // Built in the caller's place, for the reason ReadPunch gives.
    LocalInstant At(int year, int month1, int day, int hour, int minute, int second);

    static bool SkipPunch(BufferedReader& reader);
    static bool ReadElapsedLine(BufferedReader& reader);

    const double rate_;
    const RoundingOptions rounding_;
    LocalDayCache days_;
    TimeValue first_ = 0;  // 00:00:00 of the start date
    TimeValue last_ = 0;   // 23:59:59 of the end date
};

bool InvoiceScan::ReadPunch(BufferedReader& reader, LocalInstant& time) {
    char bytes[kRecordSize];
    if (reader.Read(bytes, kRecordSize) < kRecordSize) return false;
    PunchRecord r = PunchRecord::FromText(bytes, kRecordTextLength);
    r.Split();
    // Filled in place, not copied from a temporary: reading fields just stored back in wider
    // pieces than they were stored in stalls the processor.
    time.time = days_.Time(r.YearNumber(), MonthIndex(r.Month()) + 1, r.DayNumber(), r.HourNumber(),
                           r.MinuteNumber(), r.SecondNumber(), &time.wall);
    return true;
}

LocalInstant InvoiceScan::Rounded(const LocalInstant& time) {
    if (rounding_.type == kRoundNone) return time;
    ELAPSEDTIME t{time.wall.hour, time.wall.minute, time.wall.second};
    RoundElapsed(t, rounding_);
    // A time rounded past 23:59 carries into the next day.
    return At(time.wall.year, time.wall.month, time.wall.day, t.nHours, t.nMinutes, t.nSeconds);
}

LocalInstant InvoiceScan::At(int year, int month1, int day, int hour, int minute, int second) {
    LocalInstant instant;
    instant.time = days_.Time(year, month1, day, hour, minute, second, &instant.wall);
    return instant;
}

bool InvoiceScan::SkipPunch(BufferedReader& reader) {
    char bytes[kRecordSize];
    return reader.Read(bytes, kRecordSize) == kRecordSize;
}

// An Elapsed line counts once its text is there; its line end may be missing.
bool InvoiceScan::ReadElapsedLine(BufferedReader& reader) {
    char bytes[kElapsedLineSize];
    return reader.Read(bytes, kElapsedLineSize) >= kElapsedTextLength;
}

std::string InvoiceScan::Run(int fd) {
    BufferedReader reader(fd);
    std::string text;
    bool inRange = false;
    bool billed = false;
    CalendarDate day;
    std::int64_t daySum = 0;
    std::int64_t total = 0;
    LocalInstant in;
    LocalInstant out;
    while (ReadPunch(reader, in)) {
        // Once one In reached the start date, later ones are not compared with it again:
        // the log is in time order.
        if (!inRange) {
            if (in.time < first_) {
                if (!SkipPunch(reader) || !ReadElapsedLine(reader)) break;
                continue;
            }
            inRange = true;
        }
        if (in.time > last_) break;
        const LocalInstant inRounded = Rounded(in);
        if (!billed) {
            billed = true;
            day = DateOf(inRounded);
        } else if (DateOf(inRounded) != day) {
            text += DayLine(day, daySum, rate_, false);
            day = DateOf(inRounded);
            daySum = 0;
        }
        if (!ReadPunch(reader, out)) break;
        // A pair counts in its day and in the total alike, even when the log ends before
        // its Elapsed line; an Out before its In (a clock set back) bills nothing, as the
        // Elapsed line written for it says.
        const std::int64_t pair = std::max<std::int64_t>(0, Rounded(out).time - inRounded.time);
        daySum += pair;
        total += pair;
        if (!ReadElapsedLine(reader)) break;
    }
    if (!billed) return kNothingBilledText;
    text += DayLine(day, daySum, rate_, true);
    text += TotalLine(total, rate_);
    return text;
}

}  // namespace

std::optional<std::string> GenerateInvoice(const std::string& timeLogPath,
                                           const CalendarDate& start, const CalendarDate& end,
                                           double rate, const RoundingOptions& rounding) {
    FileDescriptor fd(OpenTimeLog(timeLogPath, LogAccess::Read, nullptr));
    if (fd.Get() < 0) return std::nullopt;
    return InvoiceScan(start, end, rate, rounding).Run(fd.Get());
}

}  // namespace tally
