// SPDX-License-Identifier: MIT
#include "invoice/invoice.h"

#include <algorithm>

#include "invoice/invoice_lines.h"
#include "log/buffered_reader.h"
#include "log/record_layout.h"
#include "log/time_log_file.h"
#include "time/calendar.h"
#include "time/pair_time.h"

namespace tally {
namespace {

// A punch as the invoice reads it: its fields and its wall-clock moment.
struct Punch {
    PunchFields fields;
    std::int64_t wall = 0;  // WallSeconds of the fields
};

class InvoiceScan {
  public:
    InvoiceScan(const CalendarDate& start, const CalendarDate& end, double rate,
                const RoundingOptions& rounding)
        : rate_(rate),
          // Punch times are rounded by the unit whatever the type, as long as one is chosen.
          rounding_{rounding.type == kRoundNone ? kRoundNone : kRoundInOut, rounding.unit},
          first_(WallSeconds(DaysOf(start))),
          last_(WallSeconds(DaysOf(end)) + kSecondsPerDay - 1) {}

    InvoiceFigures Run(int fd);

  private:
    static bool ReadPunch(BufferedReader& reader, Punch& punch);
    // The date of the rounded time of day: a time rounded past 23:59 is the next day's.
    CalendarDate RoundedDate(const PunchFields& fields) const;

    static bool SkipPunch(BufferedReader& reader);
    static bool ReadElapsedLine(BufferedReader& reader);

    const double rate_;
    const RoundingOptions rounding_;
    const std::int64_t first_;  // 00:00:00 of the start date, in wall seconds
    const std::int64_t last_;   // 23:59:59 of the end date
};

bool InvoiceScan::ReadPunch(BufferedReader& reader, Punch& punch) {
    char bytes[kRecordSize];
    if (reader.Read(bytes, kRecordSize) < kRecordSize) return false;
    PunchRecord r = PunchRecord::FromText(bytes, kRecordTextLength);
    r.Split();
    punch.fields = FieldsOf(r);
    punch.wall = WallSeconds(punch.fields);
    return true;
}

CalendarDate InvoiceScan::RoundedDate(const PunchFields& fields) const {
    ELAPSEDTIME t{fields.hour, fields.minute, fields.second};
    RoundElapsed(t, rounding_);
    PunchFields rounded = fields;
    rounded.hour = t.nHours;
    rounded.minute = t.nMinutes;
    rounded.second = t.nSeconds;
    return WallTimeOf(WallSeconds(rounded)).date;
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

InvoiceFigures InvoiceScan::Run(int fd) {
    BufferedReader reader(fd);
    InvoiceFigures figures;
    figures.rate = rate_;
    bool inRange = false;
    bool billed = false;
    CalendarDate day;
    std::int64_t daySum = 0;
    std::int64_t total = 0;
    const auto addDay = [&] { figures.days.push_back({day, daySum}); };
    Punch in;
    Punch out;
    while (ReadPunch(reader, in)) {
        // Once one In reached the start date, later ones are not compared with it again:
        // the log is in time order.
        if (!inRange) {
            if (in.wall < first_) {
                if (!SkipPunch(reader) || !ReadElapsedLine(reader)) break;
                continue;
            }
            inRange = true;
        }
        if (in.wall > last_) break;
        const CalendarDate inDate = RoundedDate(in.fields);
        if (!billed) {
            billed = true;
            day = inDate;
        } else if (inDate != day) {
            addDay();
            day = inDate;
            daySum = 0;
        }
        if (!ReadPunch(reader, out)) break;
        // A pair counts as the scan counts it, in its day and in the total alike, even when
        // the log ends before its Elapsed line; an Out before its In (a clock set back) bills
        // nothing, as the Elapsed line written for it says.
        const std::int64_t pair =
            std::max<std::int64_t>(0, CountsOfPair(in.fields, out.fields, rounding_).Seconds());
        daySum += pair;
        total += pair;
        if (!ReadElapsedLine(reader)) break;
    }
    if (!billed) return figures;
    addDay();
    figures.totalSeconds = total;
    return figures;
}

}  // namespace

std::optional<InvoiceFigures> ComputeInvoice(const std::string& timeLogPath,
                                             const CalendarDate& start, const CalendarDate& end,
                                             double rate, const RoundingOptions& rounding) {
    FileDescriptor fd(OpenTimeLog(timeLogPath, LogAccess::Read, nullptr));
    if (fd.Get() < 0) return std::nullopt;
    return InvoiceScan(start, end, rate, rounding).Run(fd.Get());
}

std::string InvoiceText(const InvoiceFigures& figures) {
    if (figures.days.empty()) return kNothingBilledText;
    std::string text;
    for (std::size_t i = 0; i < figures.days.size(); ++i) {
        const InvoiceDay& d = figures.days[i];
        text += DayLine(d.date, d.seconds, figures.rate, i + 1 == figures.days.size());
    }
    text += TotalLine(figures.totalSeconds, figures.rate);
    return text;
}

std::optional<std::string> GenerateInvoice(const std::string& timeLogPath,
                                           const CalendarDate& start, const CalendarDate& end,
                                           double rate, const RoundingOptions& rounding) {
    const auto figures = ComputeInvoice(timeLogPath, start, end, rate, rounding);
    if (!figures) return std::nullopt;
    return InvoiceText(*figures);
}

}  // namespace tally
