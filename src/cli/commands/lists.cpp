// SPDX-License-Identifier: MIT
#include "cli/commands/lists.h"

#include <ostream>

#include "cli/json_rows.h"

namespace tally::cli {
namespace {

// Prints the rows of one list as the scan produces them, keeping none of them.
class PrintingSink final : public RowSink {
  public:
    PrintingSink(std::ostream& out, bool tsv, bool raw) : out_(out), tsv_(tsv), raw_(raw) {}

    void Clear() override {}
    void AddRawRow(const RawRow& row) override {
        if (raw_) Print(row, kRawColumnTitles, {3, 3, 12, 8});
    }
    void AddDailyRow(const DailyRow& row) override {
        if (!raw_) Print(row, kDailyColumnTitles, {3, 12, 8});
    }
    bool TakesRawRows() const override { return raw_; }

  private:
    // People get the column titles above the first row; scripts get rows only.
    template <typename Row>
    void Print(const Row& row, const char* const* titles, const std::vector<int>& widths) {
        if (!tsv_ && !headerDone_) {
            PrintRow(out_, std::vector<std::string>(titles, titles + Row::kColumns), false, widths);
            headerDone_ = true;
        }
        std::vector<std::string> cells;
        for (int i = 0; i < Row::kColumns; ++i) cells.push_back(row.Cell(i));
        PrintRow(out_, cells, tsv_, widths);
    }

    std::ostream& out_;
    bool tsv_;
    bool raw_;
    bool headerDone_ = false;
};

// The rows of one list as {"rows":[...]}; the scan gives rows only once the log is open.
class JsonSink final : public RowSink {
  public:
    JsonSink(std::ostream& out, bool raw) : printer(out, "rows"), raw_(raw) {}

    void Clear() override {}
    void AddRawRow(const RawRow& row) override {
        if (raw_) printer.Add(RawRowJson(row));
    }
    void AddDailyRow(const DailyRow& row) override {
        if (!raw_) printer.Add(DailyRowJson(row));
    }
    bool TakesRawRows() const override { return raw_; }

    JsonArrayPrinter printer;

  private:
    bool raw_;
};

int PrintList(CommandContext& c, bool raw, const char* name) {
    if (!c.options.args.empty()) return c.UsageError(std::string(name) + " takes no arguments");
    if (c.options.json) {
        JsonSink sink(c.out, raw);
        if (!c.ScanInto(sink)) return kExitFailed;
        sink.printer.Finish();
        return kExitOk;
    }
    PrintingSink sink(c.out, c.options.tsv, raw);
    return c.ScanInto(sink) ? kExitOk : kExitFailed;
}

}  // namespace

int RunDays(CommandContext& c) {
    return PrintList(c, false, "days");
}

int RunLog(CommandContext& c) {
    return PrintList(c, true, "log");
}

}  // namespace tally::cli
