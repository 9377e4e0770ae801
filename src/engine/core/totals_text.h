// SPDX-License-Identifier: MIT
#pragma once
// The texts of the two totals boxes: a total (with its amount) and the whole log's
// average per day or per billing period.

#include <string>

#include "time/elapsed_time.h"

namespace tally {

struct MoneyOptions {
    bool showDollars = false;
    double rate = 0.0;
};

// "%d:%02d:%02d", followed by " (%.2f)" with the amount when money is shown.
std::string TotalText(const ELAPSEDTIME& rounded, const MoneyOptions& money);

// The rounded total shared out over count days or periods, in whole seconds; count > 0.
ELAPSEDTIME AverageElapsed(const ELAPSEDTIME& roundedGrand, int count);

// "%d:%02d:%02d/%d = %d:%02d:%02d" (+ amount of the average); empty when count is 0.
std::string AverageText(const ELAPSEDTIME& roundedGrand, int count, const MoneyOptions& money);

}  // namespace tally
