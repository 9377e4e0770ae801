// SPDX-License-Identifier: MIT
#pragma once
// The tool tip of the status bar's warning about the time log.

#include <QString>
#include <string>
#include <vector>

#include "core/tally_engine.h"

namespace tally {

// The tool tip of the status bar's warning: why the log is not read, or not to its end, and
// the conflict copies beside it; empty for a sound log alone in its folder.
QString LogWarningText(const TallyEngine& engine, const std::vector<std::string>& copies);

}  // namespace tally
