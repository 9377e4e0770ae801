// SPDX-License-Identifier: MIT
#include "core/log_scan.h"

#include <unistd.h>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "log/record_stream.h"
#include "time/calendar.h"
#include "time/pair_time.h"

namespace tally {
namespace {

// The number fields of a split record as FieldsOf reads them. Nearly every record has only
// digits in them, and those need no FieldNumber (which measures each field first); the month
// name is looked up only when it differs from the previous record's.
class FieldReader {
  public:
    // In line in the scan, which reads two records a pair: a call and the fields returned
    // through memory cost about a tenth of tally days.
    // text holds the record's characters where its number fields and month name are: the
    // bytes read, or the record itself (when the scan rounds its times). Reading the bytes
    // read spares the loads across the split record's fresh byte stores, which stall.
    [[gnu::always_inline]] PunchFields Of(const char* text, const PunchRecord& splitRecord) {
        const char* b = text;
        if (!AllDigits(b)) return OtherFieldsOf(splitRecord);
        // The split record ends the name after these: MonthIndex reads no further.
        if (!monthKnown_ || std::memcmp(b + kMonthOffset, monthText_, sizeof monthText_) != 0) {
            LookUpMonth(splitRecord.buf);
        }
        return {Two(b + kYearOffset) * 100 + Two(b + kYearOffset + 2),
                month_,
                Two(b + kDayOffset),
                Two(b + kHourOffset),
                Two(b + kMinuteOffset),
                Two(b + kSecondOffset)};
    }

  private:
    // Apart from Of, so that it stays small.
    static PunchFields OtherFieldsOf(const PunchRecord& splitRecord);
    void LookUpMonth(const char* splitRecord);
    static int Two(const char* digits) { return (digits[0] - '0') * 10 + (digits[1] - '0'); }

    // The bytes of a word loaded from memory that lie at the given offsets from its address.
    static constexpr std::uint64_t Bytes(std::initializer_list<int> offsets) {
        std::uint64_t mask = 0;
        for (int i : offsets) {
            mask |= std::uint64_t{0xFF}
                    << 8 * (std::endian::native == std::endian::little ? i : 7 - i);
        }
        return mask;
    }

    // Whether the number fields "dd hh mm ss yyyy" hold only digits (the split record has a
    // terminator after each), tested a word at a time: the bytes 0x30-0x39 are those whose
    // high half is 3 and stays 3 when 6 is added.
    static bool AllDigits(const char* b) {
        static_assert(kDayOffset + 16 == kYearOffset + 4);
        constexpr std::uint64_t kFirst = Bytes({0, 1, 3, 4, 6, 7});   // dd hh mm
        constexpr std::uint64_t kSecond = Bytes({1, 2, 4, 5, 6, 7});  // ss yyyy
        std::uint64_t first = 0;
        std::uint64_t second = 0;
        std::memcpy(&first, b + kDayOffset, sizeof first);
        std::memcpy(&second, b + kDayOffset + 8, sizeof second);
        return Digits(first, kFirst) && Digits(second, kSecond);
    }
    static bool Digits(std::uint64_t word, std::uint64_t places) {
        constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
        const std::uint64_t threes = 0x3030303030303030 & places;
        const std::uint64_t bytes = word & places;
        return ((bytes & kHigh) == threes) &&
               (((bytes + (0x0606060606060606 & places)) & kHigh) == threes);
    }

    char monthText_[3] = {};  // the previous record's month name
    int month_ = 0;
    bool monthKnown_ = false;
};

PunchFields FieldReader::OtherFieldsOf(const PunchRecord& splitRecord) {
    return FieldsOf(splitRecord);
}

void FieldReader::LookUpMonth(const char* splitRecord) {
    std::memcpy(monthText_, splitRecord + kMonthOffset, sizeof monthText_);
    month_ = MonthIndex(splitRecord + kMonthOffset);
    monthKnown_ = true;
}

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

// The elapsed time of one pair: the hours, minutes and seconds of its difference, so in range
// without normalising; false (and no time) when the Out lies before the In or more than a day
// after it.
bool PairElapsed(const PunchFields& in, const PunchFields& out, ELAPSEDTIME& elapsed,
                 const RoundingOptions& rounding) {
    elapsed = {};
    const PairCounts counts = CountsOfPair(in, out, rounding);
    if (!counts.Counted()) return false;
    const std::int64_t diff = counts.Seconds();
    elapsed = {static_cast<std::int32_t>(diff / 3600), static_cast<std::int32_t>(diff % 3600 / 60),
               static_cast<std::int32_t>(diff % 60)};
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
        : settings_(settings),
          rounding_(settings.Rounding()),
          rows_(rows),
          rawRows_(rows.TakesRawRows()) {}

    template <typename Observer>
    ScanState Run(int fd, Observer& observer);

  private:
    enum class Expect { In, Out, Elapsed };

    // The bytes read; the record is filled only from a whole one.
    template <typename Observer>
    std::size_t ReadRecord(BufferedReader& reader, PunchRecord& record, PunchFields& fields,
                           bool in, Observer& observer);
    // Notes where and why reading stops (offset from the start of the scan).
    void Stop(LogFault reason, std::int64_t offset);
    void OpenFirstDay(std::int64_t dayStart);
    void CloseDay(std::int64_t dayStart);
    // DayStartOf the In record just read; the previous In's when it names the same date.
    std::int64_t InDayStart();
    std::int64_t FirstPeriodEnd() const;

    const CurrentSettings& settings_;
    const RoundingOptions rounding_;
    RowSink& rows_;
    const bool rawRows_;
    ScanState s_;
    PunchRecord in_;
    PunchFields inNumbers_;
    FieldReader fields_;
    PunchRecord dayRecord_;
    ELAPSEDTIME pair_;
    ELAPSEDTIME runningPeriod_;
    std::int64_t currentDayStart_ = 0;
    std::int64_t periodEnd_ = 0;
    PunchFields startDate_;  // the fields whose day start is startOfDate_, once there is one
    std::int64_t startOfDate_ = 0;
    bool startKnown_ = false;
    bool first_ = true;
    std::int64_t start_ = 0;  // file offset where the scan began
};

template <typename Observer>
std::size_t Scanner::ReadRecord(BufferedReader& reader, PunchRecord& record, PunchFields& fields,
                                bool in, Observer& observer) {
    std::size_t n = 0;
    const char* bytes = ReadRecordBytes(reader, n);
    // A final fragment shorter than a record ends the scan like the end of the file.
    if (n < kRecordSize) return n;
    observer.OnRecord(bytes, in, start_ + reader.Consumed() - static_cast<std::int64_t>(n));
    // PunchRecord::FromText, written in place.
    std::memcpy(record.buf, bytes, kRecordTextLength);
    std::memset(record.buf + kRecordTextLength, 0, sizeof record.buf - kRecordTextLength);
    const bool rounds = rounding_.type == kRoundInOut;
    if (rounds) RoundPunchFields(record.buf, rounding_);
    record.Split();
    fields = fields_.Of(rounds ? record.buf : bytes, record);
    return n;
}

std::int64_t Scanner::InDayStart() {
    const PunchFields& n = inNumbers_;
    if (!startKnown_ || n.year != startDate_.year || n.month != startDate_.month ||
        n.day != startDate_.day) {
        startDate_ = n;
        startOfDate_ = DayStartOf(n);
        startKnown_ = true;
    }
    return startOfDate_;
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
            const std::size_t n = ReadRecord(reader, in_, inNumbers_, true, observer);
            if (n < kRecordSize) {
                if (n > 0) Stop(LogFault::Fragment, reader.Consumed() - n);
                break;
            }
            if (rawRows_) rows_.AddRawRow(RawRow::Record(RawKind::In, in_));
            const std::int64_t dayStart = InDayStart();
            if (first_) {
                OpenFirstDay(dayStart);
            } else if (dayStart != currentDayStart_) {
                CloseDay(dayStart);
            }
            s_.clockedIn = true;
            expect = Expect::Out;
        } else if (expect == Expect::Out) {
            PunchRecord out;
            PunchFields outNumbers;
            const std::size_t n = ReadRecord(reader, out, outNumbers, false, observer);
            if (n < kRecordSize) {
                if (n > 0) Stop(LogFault::Fragment, reader.Consumed() - n);
                break;
            }
            if (rawRows_) rows_.AddRawRow(RawRow::Record(RawKind::Out, out));
            const bool ok = PairElapsed(inNumbers_, outNumbers, pair_, rounding_);
            AddElapsed(s_.dayTotal, pair_, rounding_);
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
            if (rawRows_) rows_.AddRawRow(RawRow::Elapsed(pair_));
            expect = Expect::In;
        }
    }
    // Only an In that no Out followed marks the time since it; counted here, not at each In.
    if (s_.clockedIn) s_.todayMark = s_.periodMark = MomentOf(inNumbers_);
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
