// SPDX-License-Identifier: MIT
#include "reports/report_text.h"

#include <algorithm>
#include <cstring>

#include "core/log_check.h"
#include "time/c_format.h"
#include "time/calendar.h"

namespace tally {
namespace {

ReportLine Line(ReportLineKind kind, std::string text = {}) {
    ReportLine line;
    line.kind = kind;
    line.cells[0] = std::move(text);
    return line;
}

ReportLine RowLine(const DailyRow& row) {
    ReportLine line;
    line.kind = row.separator ? ReportLineKind::Separator : ReportLineKind::Day;
    for (int column = 0; column < DailyRow::kColumns; ++column) {
        line.cells[static_cast<std::size_t>(column)] = row.Cell(column);
    }
    return line;
}

// In the names the log itself writes, whatever the desktop's language.
std::string PrintedOn(TimeValue printedAt) {
    const std::tm t = ToLocalTm(printedAt);
    return FormatC("Printed: %s %s %02d, %d %02d:%02d", kWeekdayNames[t.tm_wday],
                   kMonthNames[t.tm_mon], t.tm_mday, t.tm_year + 1900, t.tm_hour, t.tm_min);
}

// A total as the window's totals boxes round it.
ELAPSEDTIME Rounded(ELAPSEDTIME total, const CurrentSettings& settings) {
    RoundElapsed(total, settings.Rounding());
    return total;
}

// The list never shows the last day and its period: their totals stand in the totals boxes.
// The last day's date is that of the last In record, as every In of a day has the same date.
void AddLastDayAndPeriod(std::vector<ReportLine>& lines, const TallyEngine& engine,
                         const RowLists& rows) {
    const auto lastIn = std::find_if(rows.raw.rbegin(), rows.raw.rend(),
                                     [](const RawRow& row) { return row.kind == RawKind::In; });
    if (lastIn == rows.raw.rend()) return;
    DailyRow day;
    std::memcpy(day.fields, lastIn->fields, sizeof day.fields);
    day.total = Rounded(engine.State().dayTotal, engine.Settings());
    lines.push_back(RowLine(day));
    lines.push_back(
        RowLine(DailyRow::Separator(Rounded(engine.State().periodTotal, engine.Settings()))));
}

}  // namespace

std::vector<ReportLine> BuildReport(const std::string& programName, const TallyEngine& engine,
                                    const RowLists& rows, TimeValue printedAt) {
    std::vector<ReportLine> lines;
    lines.reserve(rows.daily.size() + 20);
    lines.push_back(Line(ReportLineKind::Title, programName));
    lines.push_back(Line(ReportLineKind::Text, "Time log: " + engine.Settings().DataLog));
    lines.push_back(Line(ReportLineKind::Text, PrintedOn(printedAt)));
    if (!engine.LogError().empty()) {
        lines.push_back(Line(ReportLineKind::Text, engine.LogError()));
    } else if (engine.State().stop.reason != LogFault::None) {
        lines.push_back(Line(ReportLineKind::Text,
                             "Not read to its end: " + DescribeScanStop(engine.State().stop)));
    }

    const TotalsTexts& texts = engine.Texts();
    lines.push_back(Line(ReportLineKind::Blank));
    lines.push_back(Line(ReportLineKind::Heading, "Time Today"));
    lines.push_back(Line(ReportLineKind::Text, texts.todayFirst));
    lines.push_back(Line(ReportLineKind::Text, texts.todaySecond));
    lines.push_back(Line(ReportLineKind::Blank));
    lines.push_back(Line(ReportLineKind::Heading, "Time This Billing Period"));
    lines.push_back(Line(ReportLineKind::Text, texts.periodFirst));
    lines.push_back(Line(ReportLineKind::Text, texts.periodSecond));

    lines.push_back(Line(ReportLineKind::Blank));
    lines.push_back(Line(ReportLineKind::Heading, "Daily Elapsed Time"));
    ReportLine titles;
    titles.kind = ReportLineKind::ColumnTitles;
    std::copy(std::begin(kDailyColumnTitles), std::end(kDailyColumnTitles), titles.cells.begin());
    lines.push_back(titles);
    for (const DailyRow& row : rows.daily) lines.push_back(RowLine(row));
    AddLastDayAndPeriod(lines, engine, rows);
    return lines;
}

}  // namespace tally
