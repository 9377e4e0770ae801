// SPDX-License-Identifier: MIT
#pragma once
// Switching clients: out of the one clocked in and into another at the same second. The one
// way both the window's Switch Here and `tally switch` take.

#include <optional>

#include "clients/clients_lock.h"
#include "clients/open_client.h"
#include "core/tally_engine.h"

namespace tally {

enum class SwitchOutcome {
    Switched,  // the Out (if a client was In) and the In are written
    Refused,   // nothing was written
    OutOnly,   // the Out is written, the In failed: no client is clocked in
};

struct SwitchResult {
    SwitchOutcome outcome = SwitchOutcome::Refused;
    std::optional<OpenClient> from;  // the client clocked out of, where one was In
    std::string refusal;             // why the target's log cannot take an In; not reported
};

// Under the clients lock: refuses, writing nothing, when the engine's log cannot take an In
// (clocked in already, not a regular file, not writable, or not ending with a closed pair:
// the refusal's text is the front end's to show);
// then clocks out of the client whose log holds an open In, if any, and clocks the engine's
// log in at the same second. Should the In fail after the Out, a message says what each log
// holds and how to go back. Every other message is reported once the lock is released.
SwitchResult SwitchToLog(TallyEngine& engine, const ClientBook& book);

}  // namespace tally
