// SPDX-License-Identifier: MIT
#include "clients/open_client.h"

#include "core/c_format.h"
#include "core/open_in_record.h"

namespace tally {

std::optional<OpenClient> OpenClientElsewhere(const std::vector<Client>& clients,
                                              const std::string& log) {
    for (const Client& c : clients) {
        if (LogsShareBackups(c.log, log)) continue;
        if (const auto open = ReadOpenInRecord(c.log)) return OpenClient{&c, open->at};
    }
    return std::nullopt;
}

std::string StillClockedInText(const OpenClient& open) {
    const std::tm t = ToLocalTm(open.since);
    const std::string since = FormatC("%04d-%02d-%02d %02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                                      t.tm_mday, t.tm_hour, t.tm_min);
    // Filled in one pass: a "%s" in the client's name stays as it is.
    std::string text = kStillClockedInText;
    const std::size_t first = text.find("%s");
    text.replace(first, 2, open.client->name);
    text.replace(text.find("%s", first + open.client->name.size()), 2, since);
    return text;
}

}  // namespace tally
