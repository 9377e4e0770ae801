// SPDX-License-Identifier: MIT
#include "cli/commands/import.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/commands/add.h"
#include "interchange/import/imported_spans.h"

namespace tally::cli {
namespace {

struct ImportFormat {
    const char* name;
    ImportedSpans (*read)(std::string_view);
};

constexpr ImportFormat kFormats[] = {{"csv", ReadCsvPairs},
                                     {"timeclock", ReadTimeclockPairs},
                                     {"timewarrior", ReadTimewarriorExport},
                                     {"watson", ReadWatsonFrames}};

// The whole file, or nothing with the reason on standard error.
std::optional<std::string> ReadWholeFile(CommandContext& c, const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        c.err << "tally: cannot read " << path << ": " << std::strerror(errno) << '\n';
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        c.err << "tally: cannot read " << path << ": not a regular file\n";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file || file.bad()) {
        c.err << "tally: cannot read " << path << ": " << std::strerror(errno) << '\n';
        return std::nullopt;
    }
    return std::move(text).str();
}

}  // namespace

int RunImport(CommandContext& c) {
    const auto& args = c.options.args;
    if (args.size() != 2) {
        return c.UsageError("import takes a format and a file: FORMAT FILE [--dry-run]");
    }
    const ImportFormat* format = nullptr;
    for (const ImportFormat& f : kFormats) {
        if (args[0] == f.name) format = &f;
    }
    if (format == nullptr) {
        return c.UsageError("unknown import format '" + args[0] +
                            "' (csv, timeclock, timewarrior or watson)");
    }
    if (args[1].empty()) return c.UsageError("import needs a file path");
    const auto text = ReadWholeFile(c, args[1]);
    if (!text) return kExitFailed;
    ImportedSpans imported = ReadImportText(*text, format->read);
    const PairAddResult result =
        AddPairsToLog(c.engine.Settings().DataLog, imported.spans, std::move(imported.problems),
                      PairAddOptions(c, imported.sourceWord, true), imported.open);
    const int exitCode = ReportPairsAdded(c, result, c.options.dryRun);
    if (exitCode == kExitOk) {
        for (const std::string& note : imported.notes) c.out << note << '\n';
    }
    return exitCode;
}

}  // namespace tally::cli
