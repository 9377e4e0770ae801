// SPDX-License-Identifier: MIT
#pragma once
// The one open In across all clients: clocking in for one client while another's log holds
// an open In would bill the same hours twice.

#include <optional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "time/local_time.h"

namespace tally {

inline constexpr const char* kStillClockedInText =
    "Still clocked in for %s since %s. Clock out there first.";

struct OpenClient {
    Client client;  // a copy: the list it was found in may be read again under the lock
    TimeValue since = 0;
};

// The client other than the one of log whose log ends with an open In; nothing for none.
std::optional<OpenClient> OpenClientElsewhere(const std::vector<Client>& clients,
                                              const std::string& log);
// The refusal text for clocking in while open is clocked in.
std::string StillClockedInText(const OpenClient& open);

// Why the clients may not change so (current: the client as stored, nullptr for a new one;
// changed: what it becomes, nullptr when it is removed): a client clocked in loses its log,
// or a log with an open In joins while another client is clocked in. Empty when they may.
std::string OpenInChangeProblem(const std::vector<Client>& clients, const Client* current,
                                const Client* changed);

}  // namespace tally
