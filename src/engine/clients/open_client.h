// SPDX-License-Identifier: MIT
#pragma once
// The one open In across all clients: clocking in for one client while another's log holds
// an open In would bill the same hours twice.

#include <optional>
#include <string>
#include <vector>

#include "clients/client.h"
#include "core/local_time.h"

namespace tally {

inline constexpr const char* kStillClockedInText =
    "Still clocked in for %s since %s. Clock out there first.";

struct OpenClient {
    const Client* client = nullptr;
    TimeValue since = 0;
};

// The client other than the one of log whose log ends with an open In; nothing for none.
std::optional<OpenClient> OpenClientElsewhere(const std::vector<Client>& clients,
                                              const std::string& log);
// The refusal text for clocking in while open is clocked in.
std::string StillClockedInText(const OpenClient& open);

}  // namespace tally
