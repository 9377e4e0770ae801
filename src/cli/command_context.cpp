// SPDX-License-Identifier: MIT
#include "cli/command_context.h"

#include <sys/stat.h>

#include <filesystem>
#include <ostream>

#include "clients/amount_text.h"
#include "core/log_check.h"
#include "log/time_log_file.h"
#include "time/c_format.h"
#include "time/calendar_date.h"

namespace tally::cli {

bool CommandContext::Scan() {
    engine.ScanTimeLog();
    if (engine.LogError().empty()) {
        WarnScanStop(engine.State().stop);
        return true;
    }
    err << "tally: " << engine.LogError() << '\n';
    return false;
}

bool CommandContext::ScanInto(RowSink& rows) {
    engine.SetRowSink(&rows);
    const bool read = Scan();
    engine.SetRowSink(nullptr);  // the sink may end before the engine
    return read;
}

void CommandContext::WarnScanStop(const ScanStop& stop) const {
    // The figures count only what comes before a damaged line: say where that is, so a
    // script's output is never taken for the whole log's without a word.
    if (stop.reason != LogFault::None) {
        err << "tally: warning: " << DescribeScanStop(stop)
            << " (tally check lists what is wrong)\n";
    }
}

void CommandContext::WarnDamagedDates(std::int64_t count, const char* one, const char* many) const {
    if (count == 0) return;
    err << "tally: warning: " << count << ' ' << (count == 1 ? one : many)
        << " with a damaged date left out (tally check lists what is wrong)\n";
}

bool CommandContext::LogReadableOrMissing() const {
    const std::string& path = engine.Settings().DataLog;
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::Read);
    if (log.Ok() || log.status == OpenedLog::Status::Missing) return true;
    err << "tally: " << log.Reason(path, LogAccess::Read) << '\n';
    return false;
}

int CommandContext::StoreWritten() const {
    const std::string problem = store.WriteProblem();
    if (problem.empty()) return kExitOk;
    err << "tally: " << problem << '\n';
    return kExitFailed;
}

int CommandContext::StoreChanged(const ClientStoreChange& change) const {
    if (change.result == ClientStoreChange::Result::Stored) return kExitOk;
    if (change.result == ClientStoreChange::Result::BadValue) return UsageError(change.reason);
    err << "tally: " << change.reason << '\n';
    return kExitFailed;
}

std::optional<double> CommandContext::Rate() const {
    if (!options.rate) return engine.Settings().Rate;  // the effective rate of the log
    // Read as the Invoice dialog reads its rate box (atof: "abc" is 0), then held to the range.
    const double rate = AtofC(options.rate->c_str());
    if (!IsRateInRange(rate)) {
        UsageError("--rate takes an hourly rate from 0 to " + MaxRateText() + ", not '" +
                   *options.rate + "'");
        return std::nullopt;
    }
    return rate + 0.0;  // "-0" reads as 0: no "-0.00" amounts
}

CalendarDate CommandContext::Today() const {
    return LocalDateOf(engine.GetClock().Now());
}

int CommandContext::UsageError(const std::string& reason) const {
    return PrintUsageError(err, reason);
}

std::string WritableFilePath(const std::string& typed, const std::string& whatNeedsIt,
                             std::string& path) {
    if (typed.empty()) return whatNeedsIt + " needs a file path";
    std::error_code error;
    const auto absolute = std::filesystem::absolute(typed, error);
    if (error) return "cannot use " + typed + ": " + error.message();
    struct stat st {};
    if (stat(absolute.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return typed + " is not a regular file";
    if (!std::filesystem::is_directory(absolute.parent_path(), error))
        return "the folder of " + typed + " does not exist";
    path = absolute.lexically_normal().string();
    return {};
}

int PrintUsageError(std::ostream& err, const std::string& reason) {
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
