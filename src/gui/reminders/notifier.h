// SPDX-License-Identifier: MIT
#pragma once
// Where a reminder goes that needs no answer.

#include <QString>

namespace tally {

class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void Notify(const QString& title, const QString& text) = 0;
};

}  // namespace tally
