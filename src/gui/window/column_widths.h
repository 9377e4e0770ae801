// SPDX-License-Identifier: MIT
#pragma once
// The column widths of the two lists, from the width of a list's client area and the
// width of the system cursor.

#include <array>

namespace tally {

// "Day", "Date", "Time": together half a unit wider than the usable width.
std::array<int, 3> DailyColumnWidths(int clientWidth, int cursorWidth);

// "Op", "Day", "Date", "Time": together one unit wider than the usable width.
std::array<int, 4> RawColumnWidths(int clientWidth, int cursorWidth);

// The system cursor's width, the usual default.
inline constexpr int kCursorWidth = 32;

}  // namespace tally
