// SPDX-License-Identifier: MIT
#pragma once
// Shows the engine's messages in message boxes: same text, caption and icon, an OK button.

#include <QPointer>
#include <QWidget>

#include "log/reporter.h"

namespace tally {

class MessageBoxReporter final : public Reporter {
  public:
    // Boxes are owned by the given window, or by the one with the keyboard focus.
    explicit MessageBoxReporter(QWidget* owner = nullptr) : owner_(owner) {}
    void Report(const Message& message) override;

  private:
    QPointer<QWidget> owner_;
};

}  // namespace tally
