// SPDX-License-Identifier: MIT
#include "window/column_widths.h"

namespace tally {

std::array<int, 3> DailyColumnWidths(int clientWidth, int cursorWidth) {
    const int w = clientWidth - cursorWidth;
    const int u = w / 8;
    return {2 * u, 4 * u, w - (u / 2) - 4 * u - u};
}

std::array<int, 4> RawColumnWidths(int clientWidth, int cursorWidth) {
    const int w = clientWidth - cursorWidth;
    const int v = w / 16;
    return {2 * v, 3 * v, 7 * v, w - 11 * v};
}

}  // namespace tally
