#include "cli/commands/check.h"

#include <ostream>

#include "cli/json_text.h"
#include "core/log_check.h"
#include "core/time_log_file.h"

namespace tally::cli {
namespace {

// A damaged line may hold control characters; people and scripts get them as '?'.
std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

void PrintJson(std::ostream& out, const std::string& path, bool exists, const LogCheck& check) {
    out << "{\"log\":" << JsonString(path) << ",\"exists\":" << (exists ? "true" : "false")
        << ",\"lines\":" << check.lineCount
        << ",\"clean\":" << (check.findings.empty() ? "true" : "false") << ",\"findings\":[";
    for (std::size_t i = 0; i < check.findings.size(); ++i) {
        const LogFinding& f = check.findings[i];
        out << (i > 0 ? "," : "") << "{\"line\":" << f.place.line
            << ",\"reason\":" << JsonString(LogFaultKey(f.fault))
            << ",\"message\":" << JsonString(LogFaultText(f))
            << ",\"field\":" << JsonString(f.field) << ",\"text\":" << JsonString(f.place.text)
            << ",\"stops_scan\":" << (f.stopsScan ? "true" : "false")
            << ",\"lines_ignored\":" << f.linesIgnored << '}';
    }
    out << "],\"not_listed\":" << check.findingsNotListed << "}\n";
}

}  // namespace

int RunCheck(CommandContext& c) {
    if (!c.options.args.empty()) return c.UsageError("check takes no arguments");
    if (c.options.json && c.options.tsv)
        return c.UsageError("check prints --json or --tsv, not both");

    const std::string& path = c.engine.Settings().DataLog;
    LogCheck check;
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (!log.Ok() && log.status != OpenedLog::Status::Missing) {
        c.err << "tally: " << log.Reason(path, LogAccess::Read) << '\n';
        return kExitFailed;
    }
    // A missing log is an empty one: nothing to find.
    if (log.Ok()) check = CheckTimeLog(log.fd.Get(), c.engine.Settings());

    if (c.options.json) {
        PrintJson(c.out, path, log.Ok(), check);
    } else if (c.options.tsv) {
        for (const LogFinding& f : check.findings) {
            PrintRow(
                c.out,
                {std::to_string(f.place.line), LogFaultKey(f.fault), f.field,
                 f.stopsScan ? "1" : "0", std::to_string(f.linesIgnored), Printable(f.place.text)},
                true, {});
        }
    } else if (check.findings.empty()) {
        c.out << path << (log.Ok() ? ": nothing found\n" : ": no time log, nothing to check\n");
    } else {
        for (const LogFinding& f : check.findings) {
            c.out << DescribeFinding(f) << ": \"" << Printable(f.place.text) << "\"\n";
        }
        if (check.findingsNotListed > 0) {
            c.out << "and " << check.findingsNotListed << " more findings\n";
        }
    }
    return check.findings.empty() ? kExitOk : kExitFailed;
}

}  // namespace tally::cli
