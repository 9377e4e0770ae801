// SPDX-License-Identifier: MIT
#pragma once
// Display formats in the picker format language ("yyy-MM-dd HH:mm:ss", "MM'/'dd'/'yyyy'")
// turned into Qt's date-time format.

#include <QString>
#include <QStringView>
#include <optional>

#include "controls/tally_controls_export.h"

namespace tally {

// Fields: d dd ddd dddd, M MM MMM MMMM, y yy (two-digit year; Qt has no one-digit year),
// yyy yyyy (full year), h hh (12-hour), H HH, m mm, s ss, t tt (AM/PM). A longer run reads
// as the longest field of its letter. 'text' is literal, '' is a quote, an unclosed quote
// runs to the end, and every other character is literal. Qt shows 12-hour fields only in a
// format with an AM/PM field. Nothing for callback fields (X), which Qt cannot fill.
TALLYCONTROLS_EXPORT std::optional<QString> TranslatePickerFormat(QStringView format);

}  // namespace tally
