#include "core/log_scan.h"

#include <cstdlib>

#include "core/buffered_reader.h"
#include "core/calendar.h"

namespace tally {
namespace {

// The numbers of a record in split form. The scan reads them once per record and uses
// them for the day start, the moment, the period end and the pair's elapsed time.
struct RecordNumbers {
    int year = 0;
    int month = 0;  // MonthIndex: an unknown name reads as January
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

RecordNumbers NumbersOf(const PunchRecord& r) {
    return {r.YearNumber(), MonthIndex(r.Month()), r.DayNumber(),
            r.HourNumber(), r.MinuteNumber(),      r.SecondNumber()};
}

std::int64_t DayStartOf(const RecordNumbers& n) {
    return SecondsFromDate(n.year, n.month, n.day - 1, 0, 0, 0);
}

std::int64_t MomentOf(const RecordNumbers& n) {
    return SecondsFromDate(n.year, n.month, n.day - 1, n.hour, n.minute, n.second);
}

std::int64_t HalfMonthEnd(const RecordNumbers& n) {
    const int lastDay = n.day <= 15 ? 15 : DaysInMonth(n.year, n.month);
    return SecondsFromDate(n.year, n.month, lastDay - 1, 23, 59, 59);
}

bool PairElapsedOf(const RecordNumbers& in, const RecordNumbers& out, ELAPSEDTIME& elapsed,
                   const RoundingOptions& rounding) {
    ELAPSEDTIME inTime{in.hour, in.minute, in.second};
    ELAPSEDTIME outTime{out.hour, out.minute, out.second};
    if (rounding.type == kRoundInOut) {
        RoundElapsed(inTime, rounding);
        RoundElapsed(outTime, rounding);
    }
    // The day of the month itself serves as the day index: the offset is the same at both ends.
    const std::int64_t inCount =
        SecondsFromDate(in.year, in.month, in.day, inTime.nHours, inTime.nMinutes, inTime.nSeconds);
    const std::int64_t outCount = SecondsFromDate(out.year, out.month, out.day, outTime.nHours,
                                                  outTime.nMinutes, outTime.nSeconds);
    if (inCount > outCount || outCount - inCount > kSecondsPerDay) return false;
    const std::int64_t diff = outCount - inCount;
    elapsed.nHours += static_cast<std::int32_t>(diff / 3600);
    elapsed.nMinutes += static_cast<std::int32_t>(diff % 3600 / 60);
    elapsed.nSeconds += static_cast<std::int32_t>(diff % 60);
    NormalizeElapsed(elapsed);
    if (rounding.type == kRoundAllElapsed) RoundElapsed(elapsed, rounding);
    return true;
}

class Scanner {
  public:
    Scanner(const CurrentSettings& settings, RowSink& rows)
        : settings_(settings), rounding_(settings.Rounding()), rows_(rows) {}

    ScanState Run(int fd);

  private:
    enum class Expect { In, Out, Elapsed };

    bool ReadRecord(BufferedReader& reader, PunchRecord& record);
    bool ReadElapsedLine(BufferedReader& reader);
    void OpenFirstDay(std::int64_t dayStart);
    void CloseDay(std::int64_t dayStart);
    std::int64_t FirstPeriodEnd() const;

    const CurrentSettings& settings_;
    const RoundingOptions rounding_;
    RowSink& rows_;
    ScanState s_;
    PunchRecord in_;
    RecordNumbers inNumbers_;
    PunchRecord dayRecord_;
    ELAPSEDTIME pair_;
    ELAPSEDTIME runningPeriod_;
    std::int64_t currentDayStart_ = 0;
    std::int64_t periodEnd_ = 0;
    bool first_ = true;
};

bool Scanner::ReadRecord(BufferedReader& reader, PunchRecord& record) {
    char bytes[kRecordSize];
    // A final fragment shorter than a record ends the scan like the end of the file.
    if (reader.Read(bytes, kRecordSize) < kRecordSize) return false;
    record = PunchRecord::FromText(bytes, kRecordTextLength);
    if (rounding_.type == kRoundInOut) RoundPunchFields(record.buf, rounding_);
    record.Split();
    return true;
}

bool Scanner::ReadElapsedLine(BufferedReader& reader) {
    int c = reader.Get();
    if (c < 0 || c == '\n' || c == '\r') return false;
    while ((c = reader.Get()) >= 0) {
        if (c == '\n') break;
        if (c == '\r') {
            if (reader.Peek() == '\n') reader.Get();  // CR LF is one line end
            break;
        }
    }
    return true;
}

// The period end of the first day, the current day record.
std::int64_t Scanner::FirstPeriodEnd() const {
    if (settings_.PeriodType != kPeriodWeekly) return HalfMonthEnd(inNumbers_);
    PunchRecord weekStart = dayRecord_;
    const int firstDay =
        settings_.WeekStartDay >= 0 && settings_.WeekStartDay <= 6 ? settings_.WeekStartDay : 0;
    MoveToWeekStart(weekStart.buf, firstDay);
    return DayStartOf(NumbersOf(weekStart)) + kSecondsPerWeek;
}

// Both take the In record just read (in_) as the new day's record.
void Scanner::OpenFirstDay(std::int64_t dayStart) {
    currentDayStart_ = dayStart;
    dayRecord_ = in_;
    first_ = false;
    s_.dayCount = 1;
    s_.periodCount = 1;
    periodEnd_ = FirstPeriodEnd();
}

void Scanner::CloseDay(std::int64_t dayStart) {
    AddElapsed(runningPeriod_, s_.dayTotal, rounding_);
    AddElapsed(s_.grandTotal, s_.dayTotal, rounding_);
    ELAPSEDTIME shown = s_.dayTotal;
    RoundElapsed(shown, rounding_);
    rows_.AddDailyRow(DailyRow::Day(dayRecord_, shown));
    ++s_.dayCount;
    s_.dayTotal = {};
    dayRecord_ = in_;
    if (periodEnd_ <= dayStart) {
        ++s_.periodCount;
        rows_.AddDailyRow(DailyRow::Separator(runningPeriod_));
        runningPeriod_ = {};
        s_.periodTotal = {};
        if (settings_.PeriodType == kPeriodWeekly) {
            periodEnd_ += ((dayStart - periodEnd_) / kSecondsPerWeek + 1) * kSecondsPerWeek;
        } else {
            periodEnd_ = HalfMonthEnd(inNumbers_);
            // A day beyond its month's length (a hand-edited log) ends its own period.
            if (periodEnd_ <= dayStart) periodEnd_ = dayStart + kSecondsPerDay - 1;
        }
    }
    currentDayStart_ = dayStart;
}

ScanState Scanner::Run(int fd) {
    BufferedReader reader(fd);
    Expect expect = Expect::In;
    for (;;) {
        if (expect == Expect::In) {
            if (!ReadRecord(reader, in_)) break;
            rows_.AddRawRow(RawRow::Record(RawKind::In, in_));
            inNumbers_ = NumbersOf(in_);
            const std::int64_t dayStart = DayStartOf(inNumbers_);
            s_.todayMark = s_.periodMark = MomentOf(inNumbers_);
            if (first_) {
                OpenFirstDay(dayStart);
            } else if (dayStart != currentDayStart_) {
                CloseDay(dayStart);
            }
            s_.clockedIn = true;
            expect = Expect::Out;
        } else if (expect == Expect::Out) {
            PunchRecord out;
            if (!ReadRecord(reader, out)) break;
            rows_.AddRawRow(RawRow::Record(RawKind::Out, out));
            pair_ = {};
            const bool ok = PairElapsedOf(inNumbers_, NumbersOf(out), pair_, rounding_);
            AddElapsed(s_.dayTotal, pair_, rounding_);
            s_.todayMark = s_.periodMark = 0;
            s_.clockedIn = false;
            if (!ok) break;
            expect = Expect::Elapsed;
        } else {
            if (!ReadElapsedLine(reader)) break;
            rows_.AddRawRow(RawRow::Elapsed(pair_));
            expect = Expect::In;
        }
    }
    AddElapsed(runningPeriod_, s_.dayTotal, rounding_);
    AddElapsed(s_.grandTotal, s_.dayTotal, rounding_);
    s_.periodTotal = runningPeriod_;
    return s_;
}

}  // namespace

ScanState ScanRecords(int fd, const CurrentSettings& settings, RowSink& rows) {
    return Scanner(settings, rows).Run(fd);
}

bool PairElapsed(const PunchRecord& in, const PunchRecord& out, ELAPSEDTIME& elapsed,
                 const RoundingOptions& rounding) {
    return PairElapsedOf(NumbersOf(in), NumbersOf(out), elapsed, rounding);
}

}  // namespace tally
