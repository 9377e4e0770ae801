// SPDX-License-Identifier: MIT
#include "cli/commands/check.h"

#include <ostream>

#include "cli/json_text.h"
#include "core/log_check.h"
#include "interchange/conflict_copies.h"
#include "log/time_log_file.h"

namespace tally::cli {
namespace {

// A damaged line may hold control characters; people and scripts get them as '?'.
std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

// A copy is a finding of the folder, not of a line: line 0, its file name as the text.
constexpr const char* kConflictCopyText =
    "conflict copy of the log (punches made only there count in no total)";

Json CheckJson(const std::string& path, bool exists, const LogCheck& check,
               const std::vector<std::string>& copies) {
    Json findings = Json::array();
    for (const LogFinding& f : check.findings) {
        findings.push_back({{"line", f.place.line},
                            {"reason", LogFaultKey(f.fault)},
                            {"message", Utf8Text(LogFaultText(f))},
                            {"field", f.field},
                            {"text", Utf8Text(f.place.text)},
                            {"stops_scan", f.stopsScan},
                            {"lines_ignored", f.linesIgnored}});
    }
    for (const std::string& copy : copies) {
        findings.push_back({{"line", 0},
                            {"reason", kConflictCopyKey},
                            {"message", kConflictCopyText},
                            {"field", ""},
                            {"text", Utf8Text(copy)},
                            {"stops_scan", false},
                            {"lines_ignored", 0}});
    }
    const bool clean = check.findings.empty() && copies.empty();
    return {{"log", Utf8Text(path)},           {"exists", exists},
            {"lines", check.lineCount},        {"clean", clean},
            {"findings", std::move(findings)}, {"not_listed", check.findingsNotListed}};
}

}  // namespace

int RunCheck(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("check takes no arguments");

    const std::string& path = c.engine.Settings().DataLog;
    LogCheck check;
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (!log.Ok() && log.status != OpenedLog::Status::Missing) {
        c.err << "tally: " << log.Reason(path, LogAccess::Read) << '\n';
        return kExitFailed;
    }
    // A missing log is an empty one: nothing to find.
    if (log.Ok()) check = CheckTimeLog(log.fd.Get(), c.engine.Settings());
    // Looked for beside a missing log too: the sync tool may have left only the copy.
    const std::vector<std::string> copies = FindConflictCopies(path);
    const bool clean = check.findings.empty() && copies.empty();

    if (c.options.json) {
        PrintJson(c.out, CheckJson(path, log.Ok(), check, copies));
    } else if (c.options.tsv) {
        for (const LogFinding& f : check.findings) {
            PrintRow(
                c.out,
                {std::to_string(f.place.line), LogFaultKey(f.fault), f.field,
                 f.stopsScan ? "1" : "0", std::to_string(f.linesIgnored), Printable(f.place.text)},
                true, {});
        }
        for (const std::string& copy : copies) {
            PrintRow(c.out, {"0", kConflictCopyKey, "", "0", "0", Printable(copy)}, true, {});
        }
    } else if (clean) {
        c.out << path << (log.Ok() ? ": nothing found\n" : ": no time log, nothing to check\n");
    } else {
        for (const LogFinding& f : check.findings) {
            c.out << DescribeFinding(f) << ": \"" << Printable(f.place.text) << "\"\n";
        }
        if (check.findingsNotListed > 0) {
            c.out << "and " << check.findingsNotListed << " more findings\n";
        }
        for (const std::string& copy : copies) {
            c.out << kConflictCopyText << ": \"" << Printable(copy) << "\"\n";
        }
    }
    return clean ? kExitOk : kExitFailed;
}

}  // namespace tally::cli
