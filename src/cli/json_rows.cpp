// SPDX-License-Identifier: MIT
#include "cli/json_rows.h"

#include <cstring>

#include "time/c_format.h"
#include "time/calendar.h"

namespace tally::cli {
namespace {

const char* Field(const char (&fields)[kRowFieldsSize], int offset) {
    return fields + (offset - kWeekdayOffset);
}

// The record's date as written, its month read as the scan reads it (unknown: January).
std::string IsoDate(const char (&fields)[kRowFieldsSize]) {
    return FormatC("%04d-%02d-%02d", FieldNumber(Field(fields, kYearOffset)),
                   MonthIndex(Field(fields, kMonthOffset)) + 1,
                   FieldNumber(Field(fields, kDayOffset)));
}

}  // namespace

Json RawRowJson(const RawRow& row) {
    if (row.kind == RawKind::ET) {
        ELAPSEDTIME e;
        std::memcpy(&e, row.fields, sizeof e);
        return {{"op", row.Cell(0)}, {"seconds", ElapsedToSeconds(e)}, {"time", row.Cell(3)}};
    }
    return {{"op", row.Cell(0)},
            {"weekday", Utf8Text(row.Cell(1))},
            {"date", IsoDate(row.fields)},
            {"time", row.Cell(3)}};
}

Json DailyRowJson(const DailyRow& row) {
    if (row.separator) {
        return {
            {"kind", "period"}, {"seconds", ElapsedToSeconds(row.total)}, {"time", row.Cell(2)}};
    }
    return {{"kind", "day"},
            {"weekday", Utf8Text(row.Cell(0))},
            {"date", IsoDate(row.fields)},
            {"seconds", ElapsedToSeconds(row.total)},
            {"time", row.Cell(2)}};
}

std::string RecordTimeText(const RawRow& row) {
    return IsoDate(row.fields) + ' ' + row.Cell(3);
}

}  // namespace tally::cli
