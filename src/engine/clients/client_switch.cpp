// SPDX-License-Identifier: MIT
#include "clients/client_switch.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/open_in_record.h"
#include "log/messages.h"
#include "log/record_layout.h"
#include "log/time_log_file.h"
#include "time/c_format.h"
#include "time/clock.h"

namespace tally {
namespace {

// Why the log cannot take an In, looked at without writing anything; empty when it can.
std::string InProblem(const std::string& path, const std::string& who) {
    const OpenedLog log = OpenTimeLogFile(path, LogAccess::ReadAppend);
    if (log.status == OpenedLog::Status::Missing) {
        // Clock In makes a missing log: its folder must take a new file.
        const std::string folder = std::filesystem::path(path).parent_path().string();
        if (access(folder.c_str(), W_OK | X_OK) == 0) return {};
        return "cannot make " + path + ": " + std::strerror(errno);
    }
    if (!log.Ok()) return log.Reason(path, LogAccess::ReadAppend);
    if (EndsWithInRecord(log.fd.Get())) return "already clocked in for " + who;
    if (FileSize(log.fd.Get()) > 0 && !EndsWithElapsedLine(log.fd.Get()))
        return path + " does not end with a closed pair (tally check tells what is wrong)";
    return {};
}

// The name as one word of a shell's command line.
std::string ShellWord(const std::string& text) {
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_.,:+@%-=/", c);
    });
    if (plain) return text;
    std::string word = "'";
    for (const char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

Message HalfWayMessage(const OpenClient& from, const std::string& to, const std::string& toLog,
                       TimeValue at) {
    const std::tm t = ToLocalTm(at);
    // The second of the Out as --at reads it: an In there counts on from where the Out stopped.
    const std::string again = FormatC("%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900,
                                      t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return {"The switch stopped half-way: " + from.client.name + " was clocked out at " +
                FormatTimestamp(t) + " (" + from.client.log +
                " ends with that pair), but the In for " + to + " was not written (" + toLog +
                " is as it was). No client is clocked in now. To go back to " + from.client.name +
                " from the second it stopped: tally --client " + ShellWord(from.client.name) +
                " in --at " + ShellWord(again),
            kApplicationName, MessageIcon::Stop};
}

}  // namespace

SwitchResult SwitchToLog(TallyEngine& engine, const ClientBook& book) {
    const FixedClock now(engine.GetClock().Now());
    ReportsAfterLock reports(engine);
    SwitchResult result;
    ClientsLock lock;
    if (auto refusal = lock.Acquire(book.lockPath, engine.GetLockOptions().wait)) {
        reports.Report(*refusal);
        return result;
    }
    const std::vector<Client> clients = book.read();
    const std::string target = engine.Settings().DataLog;
    const Client* client = ClientOfLog(clients, target);
    const std::string name = client != nullptr ? client->name : target;
    result.refusal = InProblem(target, name);
    if (!result.refusal.empty()) return result;
    if (auto from = OpenClientElsewhere(clients, target)) {
        const auto openIn = ReadOpenInRecord(from->client.log);
        TallyEngine out(now, reports);
        out.Settings() = engine.Settings();
        out.Settings().DataLog = from->client.log;
        out.SetLockOptions(engine.GetLockOptions());
        if (openIn && out.OnClockOutAt(now.Now(), &*openIn)) {
            result.from = std::move(from);
        } else if (ReadOpenInRecord(from->client.log)) {
            return result;  // the Out was refused, and said why
        }
        // Else another program clocked it out meanwhile: the switch is an In alone.
    }
    if (engine.OnClockInAt(now.Now())) {
        result.outcome = SwitchOutcome::Switched;
    } else if (result.from) {
        result.outcome = SwitchOutcome::OutOnly;
        reports.Report(HalfWayMessage(*result.from, name, target, now.Now()));
    }
    return result;
}

}  // namespace tally
