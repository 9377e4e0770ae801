#include "cli/command_context.h"

#include <ostream>

namespace tally::cli {

int CommandContext::UsageError(const std::string& reason) const {
    err << "tally: " << reason << "\nTry 'tally --help' for more information.\n";
    return kExitUsage;
}

void PrintRow(std::ostream& out, const std::vector<std::string>& cells, bool tsv,
              const std::vector<int>& widths) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string cell = cells[i];
        if (tsv) {
            for (char& c : cell) {
                if (c == '\t' || c == '\r' || c == '\n') c = ' ';
            }
            if (i > 0) out << '\t';
            out << cell;
            continue;
        }
        if (i > 0) out << "  ";
        out << cell;
        const int width = i < widths.size() ? widths[i] : 0;
        if (i + 1 < cells.size() && static_cast<int>(cell.size()) < width) {
            out << std::string(static_cast<std::size_t>(width) - cell.size(), ' ');
        }
    }
    out << '\n';
}

}  // namespace tally::cli
