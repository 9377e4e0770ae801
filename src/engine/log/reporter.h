// SPDX-License-Identifier: MIT
#pragma once
// The engine never shows anything: it hands each message to a reporter, which the GUI
// shows in a message box, the command line prints and tests record.

#include <string>

namespace tally {

enum class MessageIcon { None, Stop, Warning, Information };

struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Stop;
};

class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void Report(const Message& message) = 0;
};

}  // namespace tally
