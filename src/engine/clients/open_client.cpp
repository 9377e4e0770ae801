// SPDX-License-Identifier: MIT
#include "clients/open_client.h"

#include "core/open_in_record.h"
#include "time/c_format.h"

namespace tally {
namespace {

std::string MinuteText(TimeValue at) {
    const std::tm t = ToLocalTm(at);
    return FormatC("%04d-%02d-%02d %02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                   t.tm_min);
}

}  // namespace

std::optional<OpenClient> OpenClientElsewhere(const std::vector<Client>& clients,
                                              const std::string& log) {
    for (const Client& c : clients) {
        if (LogsShareBackups(c.log, log)) continue;
        if (const auto open = ReadOpenInRecord(c.log)) return OpenClient{c, open->at};
    }
    return std::nullopt;
}

std::string StillClockedInText(const OpenClient& open) {
    const std::string since = MinuteText(open.since);
    // Filled in one pass: a "%s" in the client's name stays as it is.
    std::string text = kStillClockedInText;
    const std::size_t first = text.find("%s");
    text.replace(first, 2, open.client.name);
    text.replace(text.find("%s", first + open.client.name.size()), 2, since);
    return text;
}

std::string OpenInChangeProblem(const std::vector<Client>& clients, const Client* current,
                                const Client* changed) {
    const bool keepsLog =
        current != nullptr && changed != nullptr && SameLog(current->log, changed->log);
    if (current != nullptr && !keepsLog) {
        // Its open In would stay behind in a log no client names, closed by nobody.
        if (const auto open = ReadOpenInRecord(current->log)) {
            return current->name + " is clocked in since " + MinuteText(open->at) +
                   ": clock out first, then " +
                   (changed == nullptr ? "remove it" : "give it another log");
        }
    }
    if (changed == nullptr || keepsLog || !ReadOpenInRecord(changed->log)) return {};
    std::vector<Client> others;
    for (const Client& c : clients) {
        if (current == nullptr || c.name != current->name) others.push_back(c);
    }
    if (const auto open = OpenClientElsewhere(others, changed->log)) {
        return changed->log + " holds an open In, and " + StillClockedInText(*open);
    }
    return {};
}

}  // namespace tally
