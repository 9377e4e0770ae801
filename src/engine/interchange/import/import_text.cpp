// SPDX-License-Identifier: MIT
#include <algorithm>

#include "interchange/import/imported_spans.h"

namespace tally {

ImportedSpans ReadImportText(std::string_view text, ImportedSpans (*read)(std::string_view)) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const std::size_t nul = text.find('\0');
    if (nul == std::string_view::npos) return read(text);
    // Some readers would stop at it and take the part before as the whole file.
    ImportedSpans result;
    const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(nul), '\n');
    result.problems.push_back("line " + std::to_string(line) +
                              ": a NUL byte (the file is not text)");
    return result;
}

}  // namespace tally
