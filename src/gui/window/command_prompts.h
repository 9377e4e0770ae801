// SPDX-License-Identifier: MIT
#pragma once
// The prompt of each command: the text before the line break goes to the status bar while
// the command is under the mouse, the text after it is the tool tip.

#include <QString>

class QAction;

namespace tally {

inline constexpr const char* kIdlePrompt = "Ready";

// The prompt of a command id, or an empty text for a command without one.
QString CommandPrompt(int id);

// Sets the action's status tip and tool tip from the prompt of its command id.
void ApplyPrompt(QAction* action, int id);

}  // namespace tally
