// SPDX-License-Identifier: MIT
// tally's command line over arbitrary bytes: the input split at NUL bytes into arguments,
// parsed as main parses them, and each argument read as a date as the date-taking commands
// read it. A date that is accepted is a real day and reads as it is written (or is the day
// a day word names).

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "fuzz_support.h"
#include "time/iso_date.h"

namespace tally::fuzz {
namespace {

void CheckDate(const std::string& text) {
    constexpr CalendarDate kToday{2026, 12, 8};
    const auto date = cli::ParseIsoDate(text, kToday);
    if (!date) return;
    TALLY_FUZZ_CHECK(IsRealDate(*date));
    // The two day words are the only dates not written as digits.
    if (text == "today" || text == "yesterday") {
        TALLY_FUZZ_CHECK(*date == (text == "today" ? kToday : CalendarDate{2026, 12, 7}));
        return;
    }
    char written[16];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d", date->year, date->month, date->day);
    TALLY_FUZZ_CHECK(text == written);
}

}  // namespace
}  // namespace tally::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tally;
    std::vector<std::string> args{"tally"};
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    std::string error;
    const auto options = cli::ParseCommandLine(static_cast<int>(args.size()), argv.data(), error);
    TALLY_FUZZ_CHECK(options.has_value() == error.empty());
    if (options) {
        // Every word the command line hands on is one of the arguments.
        std::vector<std::string> words{options->command};
        words.insert(words.end(), options->args.begin(), options->args.end());
        for (const std::string& word : words) {
            TALLY_FUZZ_CHECK(options->command == "status" ||
                             std::find(args.begin() + 1, args.end(), word) != args.end());
        }
    }
    for (std::size_t i = 1; i < args.size(); ++i) fuzz::CheckDate(args[i]);
    return 0;
}
