// SPDX-License-Identifier: MIT
#pragma once
// The rows of the two lists as JSON objects, their texts taken from the cells the plain
// output prints.

#include <string>

#include "cli/json_text.h"
#include "core/list_rows.h"

namespace tally::cli {

// {"op":"In"|"Out","weekday","date","time"} or {"op":"ET","seconds","time"}.
Json RawRowJson(const RawRow& row);
// {"kind":"day","weekday","date","seconds","time"} or {"kind":"period","seconds","time"}.
Json DailyRowJson(const DailyRow& row);
// "YYYY-MM-DD HH:MM:SS" of an In or Out row.
std::string RecordTimeText(const RawRow& row);

}  // namespace tally::cli
