// SPDX-License-Identifier: MIT
#pragma once
// The rows of the two lists of the main window as compact records; their cell texts are
// formatted only when asked for, so a long log costs a few bytes per row.

#include <cstdint>
#include <string>
#include <vector>

#include "time/elapsed_time.h"
#include "time/punch_record.h"

namespace tally {

enum class RawKind : std::uint8_t { In = 0, Out = 1, ET = 2 };

// A row keeps the fields of a split record, from the weekday to the terminator after the year.
inline constexpr std::size_t kRowFieldsSize = kRecordTextLength - kWeekdayOffset + 1;

// A Raw Time Data row: "Op", "Day", "Date", "Time".
struct RawRow {
    RawKind kind = RawKind::In;
    char fields[kRowFieldsSize] = {};  // of the split record, or the ELAPSEDTIME of an ET row

    static constexpr int kColumns = 4;
    static RawRow Record(RawKind kind, const PunchRecord& splitRecord);
    static RawRow Elapsed(const ELAPSEDTIME& elapsed);
    std::string Cell(int column) const;
};

// A Daily Elapsed Time row: "Day", "Date", "Time"; a period separator has no day record.
struct DailyRow {
    bool separator = false;
    char fields[kRowFieldsSize] = {};  // of the split day record
    ELAPSEDTIME total;                 // as shown

    static constexpr int kColumns = 3;
    static DailyRow Day(const PunchRecord& splitDayRecord, const ELAPSEDTIME& roundedTotal);
    static DailyRow Separator(const ELAPSEDTIME& periodTotal);
    std::string Cell(int column) const;
};

// Receives the rows of a scan in list order.
class RowSink {
  public:
    virtual ~RowSink() = default;
    virtual void Clear() = 0;
    virtual void AddRawRow(const RawRow& row) = 0;
    virtual void AddDailyRow(const DailyRow& row) = 0;
    // False: the scan makes no raw rows for this sink, which spares it most of its rows.
    virtual bool TakesRawRows() const { return true; }
};

// Keeps no row: for callers that need only the totals.
class NoRows final : public RowSink {
  public:
    void Clear() override {}
    void AddRawRow(const RawRow&) override {}
    void AddDailyRow(const DailyRow&) override {}
    bool TakesRawRows() const override { return false; }
};

// Keeps every row: what the main window's lists show.
class RowLists final : public RowSink {
  public:
    void Clear() override;
    void AddRawRow(const RawRow& row) override { raw.push_back(row); }
    void AddDailyRow(const DailyRow& row) override { daily.push_back(row); }

    std::vector<RawRow> raw;
    std::vector<DailyRow> daily;
};

inline constexpr const char* kRawColumnTitles[RawRow::kColumns] = {"Op", "Day", "Date", "Time"};
inline constexpr const char* kDailyColumnTitles[DailyRow::kColumns] = {"Day", "Date", "Time"};

}  // namespace tally
