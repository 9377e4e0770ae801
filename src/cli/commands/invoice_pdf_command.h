// SPDX-License-Identifier: MIT
#pragma once

#include "cli/command_context.h"

namespace tally::cli {

// invoice START END --pdf FILE: issues the log's client's numbered PDF invoice for the days
// at the rate, records it in the register and prints its number, total and due date.
int IssuePdf(CommandContext& context, const CalendarDate& first, const CalendarDate& last,
             double rate);

}  // namespace tally::cli
