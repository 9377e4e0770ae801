// SPDX-License-Identifier: MIT
#include "cli/near_miss.h"

#include <algorithm>

namespace tally::cli {
namespace {

// Edits from a to b (optimal string alignment: a swap of neighbours is one edit).
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> NearestName(const std::string& word,
                                       const std::vector<std::string>& names) {
    // Options' leading dashes are no part of the word's length.
    const auto letters = [](const std::string& name) {
        return name.size() - std::min(name.find_first_not_of('-'), name.size());
    };
    std::optional<std::string> nearest;
    std::size_t best = 0;
    for (const std::string& name : names) {
        const std::size_t distance = EditDistance(word, name);
        const std::size_t allowed =
            std::min<std::size_t>(2, std::max<std::size_t>(1, letters(name) / 3));
        if (distance <= allowed && (!nearest || distance < best)) {
            nearest = name;
            best = distance;
        }
    }
    return nearest;
}

}  // namespace tally::cli
