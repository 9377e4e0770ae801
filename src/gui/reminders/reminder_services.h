// SPDX-License-Identifier: MIT
#pragma once
// The platform services the reminders use: the program passes the desktop's, tests their own.

#include "reminders/idle_source.h"
#include "reminders/notifier.h"

namespace tally {

struct ReminderServices {
    IdleSource* idle;  // none: this desktop does not tell the idle time
    Notifier& notifier;
};

}  // namespace tally
