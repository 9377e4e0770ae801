#include "core/log_scan.h"

#include <unistd.h>
#include <algorithm>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/pair_time.h"
#include "core/record_stream.h"

namespace tally {
namespace {

std::int64_t DayStartOf(const PunchFields& n) {
    return SecondsFromDate(n.year, n.month, n.day - 1, 0, 0, 0);
}

std::int64_t MomentOf(const PunchFields& n) {
    return SecondsFromDate(n.year, n.month, n.day - 1, n.hour, n.minute, n.second);
}

// A day beyond its month's length (hand-written: Feb 30, Apr 31, Dec 32) is the day its
// seconds count lands on, early in the next month.
PunchFields LandedDate(PunchFields n) {
    const int length = DaysInMonth(n.year, n.month);
    if (n.day > length) {
        n.day -= length;
        if (++n.month == 12) {
            n.month = 0;
            ++n.year;
        }
    }
    return n;
}

std::int64_t HalfMonthEnd(const PunchFields& record) {
    const PunchFields n = LandedDate(record);
    const int lastDay = n.day <= 15 ? 15 : DaysInMonth(n.year, n.month);
    return SecondsFromDate(n.year, n.month, lastDay - 1, 23, 59, 59);
}

// The elapsed time of one pair, added to elapsed; false (and nothing added) when the Out
// lies before the In or more than a day after it.
bool PairElapsed(const PunchFields& in, const PunchFields& out, ELAPSEDTIME& elapsed,
                 const RoundingOptions& rounding) {
    const PairCounts counts = CountsOfPair(in, out, rounding);
    if (!counts.Counted()) return false;
    const std::int64_t diff = counts.Seconds();
    elapsed.nHours += static_cast<std::int32_t>(diff / 3600);
    elapsed.nMinutes += static_cast<std::int32_t>(diff % 3600 / 60);
    elapsed.nSeconds += static_cast<std::int32_t>(diff % 60);
    NormalizeElapsed(elapsed);
    if (rounding.type == kRoundAllElapsed) RoundElapsed(elapsed, rounding);
    return true;
}

// The scan without an observer: compiled apart, so the check costs the other commands nothing.
struct NoObserver {
    void OnRecord(const char*, bool, std::int64_t) {}
    void OnElapsedLine(std::string_view, std::int64_t) {}
};

// The start of an Elapsed line, kept only for an observer.
template <typename Observer>
struct ElapsedText {
    char bytes[kElapsedTextLength + 1];
    std::size_t length = 0;
    void Add(char c) {
        if (length < sizeof bytes) bytes[length++] = c;
    }
    std::string_view View() const { return {bytes, length}; }
};

template <>
struct ElapsedText<NoObserver> {
    void Add(char) {}
    std::string_view View() const { return {}; }
};

class Scanner {
  public:
    Scanner(const CurrentSettings& settings, RowSink& rows)
        : settings_(settings), rounding_(settings.Rounding()), rows_(rows) {}

    template <typename Observer>
    ScanState Run(int fd, Observer& observer);

  private:
    enum class Expect { In, Out, Elapsed };

    // The bytes read; the record is filled only from a whole one.
    template <typename Observer>
    std::size_t ReadRecord(BufferedReader& reader, PunchRecord& record, bool in,
                           Observer& observer);
    // Notes where and why reading stops (offset from the start of the scan).
    void Stop(LogFault reason, std::int64_t offset);
    void OpenFirstDay(std::int64_t dayStart);
    void CloseDay(std::int64_t dayStart);
    std::int64_t FirstPeriodEnd() const;

    const CurrentSettings& settings_;
    const RoundingOptions rounding_;
    RowSink& rows_;
    ScanState s_;
    PunchRecord in_;
    PunchFields inNumbers_;
    PunchRecord dayRecord_;
    ELAPSEDTIME pair_;
    ELAPSEDTIME runningPeriod_;
    std::int64_t currentDayStart_ = 0;
    std::int64_t periodEnd_ = 0;
    bool first_ = true;
    std::int64_t start_ = 0;  // file offset where the scan began
};

template <typename Observer>
std::size_t Scanner::ReadRecord(BufferedReader& reader, PunchRecord& record, bool in,
                                Observer& observer) {
    std::size_t n = 0;
    const char* bytes = ReadRecordBytes(reader, n);
    // A final fragment shorter than a record ends the scan like the end of the file.
    if (n < kRecordSize) return n;
    observer.OnRecord(bytes, in, start_ + reader.Consumed() - static_cast<std::int64_t>(n));
    record = PunchRecord::FromText(bytes, kRecordTextLength);
    if (rounding_.type == kRoundInOut) RoundPunchFields(record.buf, rounding_);
    record.Split();
    return n;
}

void Scanner::Stop(LogFault reason, std::int64_t offset) {
    s_.stop.reason = reason;
    s_.stop.place.offset = start_ + offset;
}

// The period end of the first day, the current day record.
std::int64_t Scanner::FirstPeriodEnd() const {
    if (settings_.PeriodType != kPeriodWeekly) return HalfMonthEnd(inNumbers_);
    PunchRecord weekStart = dayRecord_;
    const int firstDay =
        settings_.WeekStartDay >= 0 && settings_.WeekStartDay <= 6 ? settings_.WeekStartDay : 0;
    MoveToWeekStart(weekStart.buf, firstDay);
    return DayStartOf(FieldsOf(weekStart)) + kSecondsPerWeek;
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
            // A year outside 1980-9999 has no seconds count: such a day ends its own period,
            // so that the advance always passes the day start.
            if (periodEnd_ <= dayStart) periodEnd_ = dayStart + kSecondsPerDay - 1;
        }
    }
    currentDayStart_ = dayStart;
}

template <typename Observer>
ScanState Scanner::Run(int fd, Observer& observer) {
    start_ = std::max<std::int64_t>(lseek(fd, 0, SEEK_CUR), 0);
    BufferedReader reader(fd);
    Expect expect = Expect::In;
    for (;;) {
        if (expect == Expect::In) {
            const std::size_t n = ReadRecord(reader, in_, true, observer);
            if (n < kRecordSize) {
                if (n > 0) Stop(LogFault::Fragment, reader.Consumed() - n);
                break;
            }
            rows_.AddRawRow(RawRow::Record(RawKind::In, in_));
            inNumbers_ = FieldsOf(in_);
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
            const std::size_t n = ReadRecord(reader, out, false, observer);
            if (n < kRecordSize) {
                if (n > 0) Stop(LogFault::Fragment, reader.Consumed() - n);
                break;
            }
            rows_.AddRawRow(RawRow::Record(RawKind::Out, out));
            pair_ = {};
            const PunchFields outNumbers = FieldsOf(out);
            const bool ok = PairElapsed(inNumbers_, outNumbers, pair_, rounding_);
            AddElapsed(s_.dayTotal, pair_, rounding_);
            s_.todayMark = s_.periodMark = 0;
            s_.clockedIn = false;
            if (!ok) {
                const PairCounts counts = CountsOfPair(inNumbers_, outNumbers, rounding_);
                Stop(counts.in > counts.out ? LogFault::OutBeforeIn : LogFault::PairOverADay,
                     reader.Consumed() - static_cast<std::int64_t>(kRecordSize));
                break;
            }
            expect = Expect::Elapsed;
        } else {
            const std::int64_t lineStart = start_ + reader.Consumed();
            ElapsedText<Observer> text;
            const ElapsedRead read = ReadElapsedLine(reader, [&text](char c) { text.Add(c); });
            if (read == ElapsedRead::End) {
                // Named at the Out record that has no Elapsed line after it.
                Stop(LogFault::ElapsedMissing,
                     reader.Consumed() - static_cast<std::int64_t>(kRecordSize));
            }
            if (read == ElapsedRead::Empty) Stop(LogFault::ElapsedEmpty, reader.Consumed() - 1);
            if (read != ElapsedRead::Line) break;
            observer.OnElapsedLine(text.View(), lineStart);
            rows_.AddRawRow(RawRow::Elapsed(pair_));
            expect = Expect::In;
        }
    }
    AddElapsed(runningPeriod_, s_.dayTotal, rounding_);
    AddElapsed(s_.grandTotal, s_.dayTotal, rounding_);
    s_.periodTotal = runningPeriod_;
    if (s_.stop.reason != LogFault::None) {
        std::vector<LogPlace*> places{&s_.stop.place};
        s_.stop.linesIgnored = LocateLines(fd, start_, places) - s_.stop.place.line;
    }
    return s_;
}

}  // namespace

ScanState ScanRecords(int fd, const CurrentSettings& settings, RowSink& rows,
                      ScanObserver* observer) {
    Scanner scanner(settings, rows);
    if (observer != nullptr) return scanner.Run(fd, *observer);
    NoObserver none;
    return scanner.Run(fd, none);
}

}  // namespace tally
