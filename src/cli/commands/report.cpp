// SPDX-License-Identifier: MIT
#include "cli/commands/report.h"

#include <optional>
#include <ostream>

#include "cli/json_text.h"
#include "reports/report_buckets.h"
#include "settings/settings_store.h"
#include "time/c_format.h"
#include "time/iso_date.h"

namespace tally::cli {
namespace {

struct Grouping {
    const char* name;
    BucketBy by;
};

constexpr Grouping kGroupings[] = {{"day", BucketBy::Day},
                                   {"week", BucketBy::Week},
                                   {"month", BucketBy::Month},
                                   {"period", BucketBy::Period}};

std::string TimeText(const ELAPSEDTIME& e) {
    return FormatC("%d:%02d:%02d", e.nHours, e.nMinutes, e.nSeconds);
}

Json BucketJson(const ReportBucket& b, double rate) {
    return {{"first", IsoDayText(b.first)},
            {"last", IsoDayText(b.last)},
            {"days", b.days},
            {"seconds", ElapsedToSeconds(b.time)},
            {"time", TimeText(b.time)},
            {"hours", ElapsedHours(b.time)},
            {"amount", Cents(MoneyAmount(b.time, rate))}};
}

void PrintBucket(std::ostream& out, const char* label, const ReportBucket& b, double rate,
                 bool tsv) {
    PrintRow(
        out,
        {label, IsoDayText(b.first), IsoDayText(b.last), std::to_string(b.days), TimeText(b.time),
         FormatC("%.2f", ElapsedHours(b.time)), FormatC("%.2f", MoneyAmount(b.time, rate))},
        tsv, {6, 10, 10, 4, 10, 9});
}

}  // namespace

int RunReport(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() > 2) {
        return c.UsageError("report takes no dates, two (START END, YYYY-MM-DD) or a range word");
    }
    std::optional<DateRange> range;
    if (!args.empty()) {
        std::string reason;
        const auto dates = ParseIsoRange(args, c.Today(), c.engine.Settings().WeekStartDay, reason);
        if (!dates) return c.UsageError(reason);
        range = DateRange{dates->first, dates->second};
    }
    const Grouping* grouping = &kGroupings[3];
    if (c.options.by) {
        grouping = nullptr;
        for (const Grouping& g : kGroupings) {
            if (*c.options.by == g.name) grouping = &g;
        }
        if (grouping == nullptr) {
            return c.UsageError("--by takes day, week, month or period, not '" + *c.options.by +
                                "'");
        }
    }
    const std::optional<double> rateOption = c.Rate();
    if (!rateOption) return kExitUsage;
    const double rate = *rateOption;

    DayCollector collector;
    if (!c.ScanInto(collector)) return kExitFailed;
    const BucketReport report =
        MakeBuckets(collector.Finish(c.engine.State()), grouping->by, c.engine.Settings(), range);
    c.WarnDamagedDates(collector.Undated(), "day", "days");

    if (c.options.json) {
        Json buckets = Json::array();
        for (const ReportBucket& b : report.buckets) buckets.push_back(BucketJson(b, rate));
        Json document = {{"by", grouping->name},
                         {"rate", rate},
                         {"buckets", std::move(buckets)},
                         {"total", nullptr}};
        if (!report.buckets.empty()) document["total"] = BucketJson(report.total, rate);
        PrintJson(c.out, document);
        return kExitOk;
    }
    if (report.buckets.empty()) return kExitOk;
    if (!c.options.tsv) {
        PrintRow(c.out, {"By", "First", "Last", "Days", "Time", "Hours", "Amount"}, false,
                 {6, 10, 10, 4, 10, 9});
    }
    for (const ReportBucket& b : report.buckets)
        PrintBucket(c.out, grouping->name, b, rate, c.options.tsv);
    PrintBucket(c.out, "total", report.total, rate, c.options.tsv);
    return kExitOk;
}

}  // namespace tally::cli
