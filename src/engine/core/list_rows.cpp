// SPDX-License-Identifier: MIT
#include "core/list_rows.h"

#include <cstring>

#include "time/c_format.h"

namespace tally {
namespace {

constexpr int kBase = kWeekdayOffset;  // fields[] holds the record from this offset on

const char* Field(const char (&fields)[kRowFieldsSize], int offset) {
    return fields + (offset - kBase);
}

std::string DateText(const char (&fields)[kRowFieldsSize]) {
    return FormatC("%s %s, %s", Field(fields, kMonthOffset), Field(fields, kDayOffset),
                   Field(fields, kYearOffset));
}

std::string TimeText(int h, int m, int s) {
    return FormatC("%02d:%02d:%02d", h, m, s);
}

void CopyFields(char (&fields)[kRowFieldsSize], const PunchRecord& splitRecord) {
    std::memcpy(fields, splitRecord.buf + kBase, sizeof fields);
    fields[sizeof fields - 1] = '\0';  // the record's terminator
}

}  // namespace

RawRow RawRow::Record(RawKind kind, const PunchRecord& splitRecord) {
    RawRow row;
    row.kind = kind;
    CopyFields(row.fields, splitRecord);
    return row;
}

RawRow RawRow::Elapsed(const ELAPSEDTIME& elapsed) {
    RawRow row;
    row.kind = RawKind::ET;
    std::memcpy(row.fields, &elapsed, sizeof elapsed);
    return row;
}

std::string RawRow::Cell(int column) const {
    if (kind == RawKind::ET) {
        ELAPSEDTIME e;
        std::memcpy(&e, fields, sizeof e);
        switch (column) {
            case 0:
                return "ET";
            case 2:
                return "----------";
            case 3:
                return TimeText(e.nHours, e.nMinutes, e.nSeconds);
            default:
                return {};
        }
    }
    switch (column) {
        case 0:
            return kind == RawKind::In ? "In" : "Out";
        case 1:
            return Field(fields, kWeekdayOffset);
        case 2:
            return DateText(fields);
        case 3:
            return TimeText(FieldNumber(Field(fields, kHourOffset)),
                            FieldNumber(Field(fields, kMinuteOffset)),
                            FieldNumber(Field(fields, kSecondOffset)));
        default:
            return {};
    }
}

DailyRow DailyRow::Day(const PunchRecord& splitDayRecord, const ELAPSEDTIME& roundedTotal) {
    DailyRow row;
    CopyFields(row.fields, splitDayRecord);
    row.total = roundedTotal;
    return row;
}

DailyRow DailyRow::Separator(const ELAPSEDTIME& periodTotal) {
    DailyRow row;
    row.separator = true;
    row.total = periodTotal;
    return row;
}

std::string DailyRow::Cell(int column) const {
    switch (column) {
        case 0:
            return separator ? std::string() : std::string(Field(fields, kWeekdayOffset));
        case 1:
            return separator ? std::string("----------") : DateText(fields);
        case 2:
            return TimeText(total.nHours, total.nMinutes, total.nSeconds);
        default:
            return {};
    }
}

void RowLists::Clear() {
    raw.clear();
    daily.clear();
}

}  // namespace tally
