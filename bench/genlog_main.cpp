// SPDX-License-Identifier: MIT
// tally_genlog: writes a synthetic time log for the benchmarks.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "log_generator.h"

namespace {

constexpr const char* kUsage =
    "Usage: tally_genlog [--preset NAME | --from YEAR --to YEAR [--pairs-per-day N]]\n"
    "                    [--seed N] [--open-in] OUTPUT\n"
    "       tally_genlog --list-presets\n"
    "Without --pairs-per-day (or with 0) the log holds working days: weekdays only, one to\n"
    "three pairs a day, occasional days off. With N, every day holds N short pairs.\n"
    "--open-in leaves the last pair's In record open at the end of the log.\n";

int UsageError(const std::string& reason) {
    std::cerr << "tally_genlog: " << reason << '\n' << kUsage;
    return 2;
}

bool ParseNumber(const char* text, long lo, long hi, long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= lo && value <= hi;
}

}  // namespace

int main(int argc, char** argv) {
    using tally::bench::LogShape;
    LogShape shape;
    std::string output;
    std::string preset;
    bool fromGiven = false;
    bool toGiven = false;
    bool pairsGiven = false;
    bool openIn = false;
    std::optional<std::uint32_t> seed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long value = 0;
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--list-presets") {
            for (const auto& p : tally::bench::LogPresets()) {
                std::cout << p.name << '\t' << p.fileName << '\n';
            }
            return 0;
        } else if (arg == "--preset" && hasValue) {
            preset = argv[++i];
        } else if ((arg == "--from" || arg == "--to") && hasValue) {
            // Four-digit years: the timestamp has room for no more.
            if (!ParseNumber(argv[++i], 1000, 9999, value)) return UsageError("bad year");
            (arg == "--from" ? shape.firstYear : shape.lastYear) = static_cast<int>(value);
            (arg == "--from" ? fromGiven : toGiven) = true;
        } else if (arg == "--pairs-per-day" && hasValue) {
            // Each pair needs a slot of a few seconds at least.
            if (!ParseNumber(argv[++i], 0, 1000, value)) return UsageError("bad pair count");
            shape.pairsPerDay = static_cast<int>(value);
            pairsGiven = true;
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(argv[++i], 0, 0xffffffffL, value)) return UsageError("bad seed");
            seed = static_cast<std::uint32_t>(value);
        } else if (arg == "--open-in") {
            openIn = true;
        } else if (!arg.empty() && arg[0] != '-' && output.empty()) {
            output = arg;
        } else {
            return UsageError("unexpected argument " + arg);
        }
    }
    if (output.empty()) return UsageError("no output file");
    if (!preset.empty()) {
        if (fromGiven || toGiven || pairsGiven) {
            return UsageError("--preset takes no --from, --to or --pairs-per-day");
        }
        const auto found = tally::bench::FindLogPreset(preset);
        if (!found) return UsageError("unknown preset " + preset);
        shape = found->shape;
    } else if (!fromGiven || !toGiven) {
        return UsageError("give a preset, or --from and --to");
    }
    if (shape.firstYear > shape.lastYear) return UsageError("--from lies after --to");
    if (seed) shape.seed = *seed;
    shape.openIn = openIn;

    tally::bench::LogSummary summary;
    if (!tally::bench::GenerateLogFile(shape, output, &summary)) {
        std::cerr << "tally_genlog: cannot write " << output << ": " << std::strerror(errno)
                  << '\n';
        return 1;
    }
    std::cout << output << ": " << summary.triples << " triples on " << summary.days << " days, "
              << summary.bytes << " bytes\n";
    return 0;
}
