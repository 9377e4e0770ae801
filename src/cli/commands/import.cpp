// SPDX-License-Identifier: MIT
#include "cli/commands/import.h"

#include <cerrno>
#include <cstring>

#include "cli/commands/add.h"
#include "log/whole_file.h"
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
    const WholeFile file = ReadWholeFile(args[1]);
    if (!file.Ok()) {
        // A folder is no file to import, whatever the system calls it.
        const bool notFile = file.status == OpenedLog::Status::NotRegular || file.error == EISDIR;
        c.err << "tally: cannot read " << args[1] << ": "
              << (notFile ? "not a regular file" : std::strerror(file.error)) << '\n';
        return kExitFailed;
    }
    ImportedSpans imported = ReadImportText(file.bytes, format->read);
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
