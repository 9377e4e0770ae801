// SPDX-License-Identifier: MIT
#include "core/log_check.h"

#include <strings.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "log/record_layout.h"
#include "time/c_format.h"
#include "time/calendar.h"

namespace tally {
namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A field of a split record that is exactly width digits.
bool Digits(const char* field, std::size_t width) {
    return std::strlen(field) == width && std::all_of(field, field + width, IsDigit);
}

bool IsWeekdayName(const char* name) {
    return std::any_of(std::begin(kWeekdayNames), std::end(kWeekdayNames),
                       [name](const char* weekday) { return strcasecmp(name, weekday) == 0; });
}

// The first field of a record that the scan reads other than it is written (a number
// outside its range reads as 0 or lands elsewhere), or nullptr.
const char* MalformedField(const char* bytes, bool in, const PunchRecord& r) {
    if (std::memcmp(bytes, in ? kInPrefix : kOutPrefix, kPrefixLength) != 0) return "prefix";
    if (!IsWeekdayName(r.Weekday())) return "weekday";
    if (LookupMonth(r.Month()) < 0) return "month";
    // Day 32 is a day beyond its month, not a malformed one: the seconds count takes it.
    if (!Digits(r.Day(), 2) || r.DayNumber() < 1 || r.DayNumber() > 32) return "day";
    if (!Digits(r.Hour(), 2) || r.HourNumber() > 23) return "hour";
    if (!Digits(r.Minute(), 2) || r.MinuteNumber() > 59) return "minute";
    if (!Digits(r.Second(), 2) || r.SecondNumber() > 59) return "second";
    if (!Digits(r.Year(), 4) || r.YearNumber() < kFirstCountedYear) return "year";
    if (std::memcmp(bytes + kRecordTextLength, kLineEnd, 2) != 0) return "line end";
    return nullptr;
}

// What is wrong with a record; fault None when nothing is.
// bytes: one whole record, line end included.
LogFinding CheckRecord(const char* bytes, bool in, std::int64_t offset) {
    PunchRecord record = PunchRecord::FromText(bytes, kRecordTextLength);
    record.Split();
    LogFinding finding;
    finding.place.offset = offset;
    if (const char* field = MalformedField(bytes, in, record)) {
        finding.fault = LogFault::MalformedField;
        finding.field = field;
    } else if (record.DayNumber() > DaysInMonth(record.YearNumber(), MonthIndex(record.Month()))) {
        finding.fault = LogFault::DayBeyondMonth;
    }
    return finding;
}

// The scan uses no more of the Elapsed line than its line end; what else is wrong with it
// misleads the other readers of the log (the invoice, Clock In's check, the editor).
LogFinding CheckElapsedLine(std::string_view text, std::int64_t offset) {
    LogFinding finding;
    finding.place.offset = offset;
    const std::size_t lead = std::strlen(kElapsedLead);
    if (text.compare(0, lead, kElapsedLead) != 0) {
        finding.fault = LogFault::ElapsedMissing;
        return finding;
    }
    const char* t = text.data() + lead;
    const bool sound = text.size() == kElapsedTextLength && IsDigit(t[0]) && IsDigit(t[1]) &&
                       t[2] == ':' && IsDigit(t[3]) && t[3] <= '5' && IsDigit(t[4]) &&
                       t[5] == ':' && IsDigit(t[6]) && t[6] <= '5' && IsDigit(t[7]) && t[8] == '.';
    if (!sound) {
        finding.fault = LogFault::MalformedField;
        finding.field = "elapsed time";
    }
    return finding;
}

// Judges each record and Elapsed line as the scan reads it, up to where the scan stops.
class Judge final : public ScanObserver {
  public:
    void OnRecord(const char* bytes, bool in, std::int64_t offset) override {
        Keep(CheckRecord(bytes, in, offset));
    }
    void OnElapsedLine(std::string_view text, std::int64_t offset) override {
        Keep(CheckElapsedLine(text, offset));
    }

    LogCheck check;

  private:
    // A file of short lines holds a finding every few bytes: the list keeps the first ones
    // and counts the rest, so memory stays bounded whatever the file holds.
    void Keep(LogFinding finding) {
        if (finding.fault == LogFault::None) return;
        if (check.findings.size() < kListedFindings) {
            check.findings.push_back(std::move(finding));
        } else {
            ++check.findingsNotListed;
        }
    }
};

}  // namespace

LogCheck CheckTimeLog(int fd, const CurrentSettings& settings) {
    const std::int64_t start = std::max<std::int64_t>(lseek(fd, 0, SEEK_CUR), 0);
    NoRows noRows;
    Judge judge;
    const ScanState scan = ScanRecords(fd, settings, noRows, &judge);
    LogCheck check = std::move(judge.check);
    // The scan reads nothing after its stop, so the stop comes last; it is always listed.
    if (scan.stop.reason != LogFault::None) {
        check.findings.push_back({scan.stop.reason, scan.stop.place, {}, true, 0});
    }

    std::vector<LogPlace*> places;
    for (LogFinding& finding : check.findings) places.push_back(&finding.place);
    check.lineCount = LocateLines(fd, start, places);
    for (LogFinding& finding : check.findings) {
        if (finding.stopsScan) finding.linesIgnored = check.lineCount - finding.place.line;
    }
    return check;
}

const char* LogFaultKey(LogFault fault) {
    switch (fault) {
        case LogFault::None:
            break;
        case LogFault::OutBeforeIn:
            return "out-before-in";
        case LogFault::PairOverADay:
            return "pair-over-24-hours";
        case LogFault::ElapsedMissing:
            return "elapsed-missing";
        case LogFault::ElapsedEmpty:
            return "elapsed-empty";
        case LogFault::Fragment:
            return "fragment";
        case LogFault::MalformedField:
            return "malformed-field";
        case LogFault::DayBeyondMonth:
            return "day-beyond-month";
    }
    return "none";
}

std::string LogFaultText(const LogFinding& finding) {
    switch (finding.fault) {
        case LogFault::None:
            break;
        case LogFault::OutBeforeIn:
            return "Out before In";
        case LogFault::PairOverADay:
            return "pair longer than 24 hours";
        case LogFault::ElapsedMissing:
            return finding.stopsScan ? "Elapsed line missing after this Out record"
                                     : "Elapsed line missing (this line is read in its place)";
        case LogFault::ElapsedEmpty:
            return "Elapsed line empty";
        case LogFault::Fragment:
            return "fragment shorter than a record";
        case LogFault::MalformedField:
            return "malformed field (" + finding.field + ")";
        case LogFault::DayBeyondMonth:
            return "day beyond its month";
    }
    return "nothing found";
}

std::string DescribeFinding(const LogFinding& finding) {
    std::string text =
        FormatC("line %lld: ", static_cast<long long>(finding.place.line)) + LogFaultText(finding);
    if (!finding.stopsScan) return text;
    text += "; the scan stops here";
    if (finding.linesIgnored == 1) text += " and ignores the line after it";
    if (finding.linesIgnored > 1) {
        text += FormatC(" and ignores the %lld lines after it",
                        static_cast<long long>(finding.linesIgnored));
    }
    return text;
}

std::string DescribeScanStop(const ScanStop& stop) {
    return DescribeFinding({stop.reason, stop.place, {}, true, stop.linesIgnored});
}

}  // namespace tally
