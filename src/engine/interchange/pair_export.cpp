// SPDX-License-Identifier: MIT
#include "interchange/pair_export.h"

#include <set>

#include "core/list_rows.h"
#include "interchange/icalendar_text.h"
#include "log/time_log_file.h"
#include "time/c_format.h"

namespace tally {
namespace {

constexpr std::size_t kWriteBlock = 1 << 20;

std::int64_t DateKey(const CalendarDate& d) {
    return d.year * 10000LL + d.month * 100 + d.day;
}

PunchFields FieldsOfRow(const RawRow& row) {
    // A row keeps the record from its weekday on; the offsets count from the record's start.
    const auto field = [&row](int offset) { return row.fields + (offset - kWeekdayOffset); };
    return {FieldNumber(field(kYearOffset)),   MonthIndex(field(kMonthOffset)),
            FieldNumber(field(kDayOffset)),    FieldNumber(field(kHourOffset)),
            FieldNumber(field(kMinuteOffset)), FieldNumber(field(kSecondOffset))};
}

// The time of a punch as the export writes it; nothing where its date is damaged. Seconds
// counts cover days 0-31 of a month (day 32 has a date but no count of its own).
std::optional<WallTime> CountedTime(const PunchFields& f) {
    if (!CountedDate(f) || f.day > 31) return std::nullopt;
    const WallTime time = WallTimeOf(WallSeconds(f));
    // An hour field beyond 23 on the last counted day carries past the count.
    if (time.date.year > kLastCountedYear) return std::nullopt;
    return time;
}

// Takes the pairs from the raw rows of a scan that applies no rounding; the scan hands on
// an Out row before it decides whether to count the pair, so the pair is measured here the
// same way.
class PairSink final : public RowSink {
  public:
    PairSink(const PairExportOptions& options,
             const std::function<void(const ExportedPair&)>& visit)
        : options_(options),
          first_(options.first ? DateKey(*options.first) : 0),
          last_(options.last ? DateKey(*options.last) : 99999999),
          visit_(visit) {}

    void Clear() override {}
    void AddDailyRow(const DailyRow&) override {}
    void AddRawRow(const RawRow& row) override {
        if (row.kind == RawKind::In) in_ = FieldsOfRow(row);
        if (row.kind != RawKind::Out) return;
        const PunchFields out = FieldsOfRow(row);
        const PairCounts counts = CountsOfPair(in_, out, RoundingOptions{});
        if (!counts.Counted()) return;  // where the scan stops
        const std::optional<WallTime> inTime = CountedTime(in_);
        const std::optional<WallTime> outTime = CountedTime(out);
        if (!inTime || !outTime) {
            ++undated;
            return;
        }
        const std::int64_t key = DateKey(inTime->date);
        if (key < first_ || key > last_) return;
        ExportedPair pair;
        pair.in = *inTime;
        pair.out = *outTime;
        pair.seconds = counts.Seconds();
        pair.hours = static_cast<double>(pair.seconds) / 3600.0;
        pair.amount = pair.hours * options_.rate + 0.0;  // no "-0.00" for nothing earned
        visit_(pair);
    }

    std::int64_t undated = 0;

  private:
    const PairExportOptions& options_;
    const std::int64_t first_;
    const std::int64_t last_;
    const std::function<void(const ExportedPair&)>& visit_;
    PunchFields in_;
};

// The reading of both entry points; opened is called once the log is open, before any pair.
ExportRead ReadPairs(const std::string& path, const PairExportOptions& options,
                     const std::function<void()>& opened,
                     const std::function<void(const ExportedPair&)>& visit) {
    ExportRead read;
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (log.status == OpenedLog::Status::Missing) return read;
    if (!log.Ok()) {
        read.error = log.Reason(path, LogAccess::Read);
        return read;
    }
    opened();
    // The export applies no rounding option: the settings' defaults round nothing.
    PairSink sink(options, visit);
    read.stop = ScanRecords(log.fd.Get(), CurrentSettings{}, sink).stop;
    read.undated = sink.undated;
    return read;
}

}  // namespace

ExportRead ReadExportedPairs(const std::string& path, const PairExportOptions& options,
                             const std::function<void(const ExportedPair&)>& visit) {
    return ReadPairs(
        path, options, [] {}, visit);
}

namespace {

// Two readings: the first finds the years the events span, whose clock changes the calendar
// describes before its events; the second writes them, in blocks as the other formats are.
ExportRead ExportCalendar(const std::string& path, const PairExportOptions& options,
                          const std::function<void(std::string_view)>& write) {
    std::set<int> years;
    LocalDayCache days;
    const ExportRead first = ReadExportedPairs(path, options, [&](const ExportedPair& pair) {
        const EventTimes times = EventTimesOf(pair, days);
        years.insert(days.Fields(times.start).year);
        years.insert(days.Fields(times.end).year);
    });
    if (first.error) return first;
    const ICalendarWriter writer(options.calendar, path, years);
    std::string text;
    bool opened = false;
    const ExportRead read = ReadPairs(
        path, options,
        [&] {
            text = writer.Head();
            opened = true;
        },
        [&](const ExportedPair& pair) {
            writer.AppendEvent(pair, text);
            if (text.size() >= kWriteBlock) {
                write(text);
                text.clear();
            }
        });
    // A log that went missing between the readings has no head, so no end either.
    if (opened) text += ICalendarWriter::Tail();
    if (!text.empty()) write(text);
    return read;
}

}  // namespace

ExportRead ExportTimeLog(const std::string& path, const PairExportOptions& options,
                         const std::function<void(std::string_view)>& write) {
    if (options.format == ExportFormat::Ical) return ExportCalendar(path, options, write);
    const bool csv = options.format == ExportFormat::Csv;
    std::string text;
    const auto opened = [&] {
        if (csv) text = std::string(kExportCsvHeader) + '\n';
    };
    const ExportRead read = ReadPairs(path, options, opened, [&](const ExportedPair& pair) {
        if (csv) {
            text += ExportTimeText(pair.in) + ',' + ExportTimeText(pair.out) + ',' +
                    FormatC("%lld,%.2f,%.2f\n", static_cast<long long>(pair.seconds), pair.hours,
                            pair.amount);
        } else {
            text += "i " + ExportTimeText(pair.in, '/') + " TallyBook\no " +
                    ExportTimeText(pair.out, '/') + '\n';
        }
        if (text.size() >= kWriteBlock) {
            write(text);
            text.clear();
        }
    });
    if (!text.empty()) write(text);
    return read;
}

}  // namespace tally
