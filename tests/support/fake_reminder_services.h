// SPDX-License-Identifier: MIT
#pragma once
// Stand-ins for the desktop's idle time and notifications, set and read by the tests.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "reminders/idle_source.h"
#include "reminders/notifier.h"

namespace tally::test {

class FakeIdleSource final : public IdleSource {
  public:
    std::optional<std::int64_t> IdleSeconds() override {
        ++calls;
        return idle;
    }
    std::optional<std::int64_t> idle = 0;
    int calls = 0;
};

class RecordingNotifier final : public Notifier {
  public:
    void Notify(const QString& title, const QString& text) override {
        notes << title + ": " + text;
    }
    QStringList notes;
};

}  // namespace tally::test
