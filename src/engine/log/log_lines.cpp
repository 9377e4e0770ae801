// SPDX-License-Identifier: MIT
#include "log/log_lines.h"

#include <vector>

#include "log/time_log_file.h"

namespace tally {

std::int64_t LocateLines(int fd, std::int64_t start, std::vector<LogPlace*>& places) {
    std::vector<char> block(1 << 16);
    std::int64_t line = 1;
    std::string text;      // the current line so far, cut at the limit
    std::size_t open = 0;  // places of the current line start here in places
    std::size_t next = 0;  // the next place whose line is not known yet
    bool lineHasBytes = false;
    auto endLine = [&] {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.size() > kLineTextLimit) text.resize(kLineTextLimit);
        for (; open < next; ++open) places[open]->text = text;
        text.clear();
    };
    std::int64_t offset = start;
    for (;;) {
        const long n = ReadAt(fd, block.data(), block.size(), offset);
        if (n <= 0) break;
        for (long i = 0; i < n; ++i, ++offset) {
            while (next < places.size() && places[next]->offset <= offset) {
                places[next++]->line = line;
            }
            const char c = block[static_cast<std::size_t>(i)];
            if (c == '\n') {
                endLine();
                ++line;
                lineHasBytes = false;
                continue;
            }
            lineHasBytes = true;
            // One byte beyond the limit keeps a CR that ends a full-length line apart.
            if (text.size() <= kLineTextLimit) text += c;
        }
    }
    // Places at or past the end of the file belong to its last line.
    while (next < places.size()) places[next++]->line = line;
    endLine();
    return lineHasBytes ? line : line - 1;
}

}  // namespace tally
