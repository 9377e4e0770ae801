// SPDX-License-Identifier: MIT
#pragma once
// Clock In with clients: refused while another client's log holds an open In, decided and
// written under the clients lock so that two Clock Ins at once cannot both pass the check.

#include <optional>

#include "clients/clients_lock.h"
#include "clients/open_client.h"
#include "core/tally_engine.h"

namespace tally {

struct ClientClockIn {
    bool written = false;
    std::optional<OpenClient> openElsewhere;  // refused for this client; not reported
};

// Clock In on the engine's log, now or back-dated to at (written as OnClockInBackdated
// writes it). With no client in the book it is the plain Clock In, and no lock file is made.
// The engine's messages are reported once the lock is released.
ClientClockIn ClockInForClient(TallyEngine& engine, const ClientBook& book,
                               std::optional<TimeValue> at = std::nullopt);

}  // namespace tally
