// SPDX-License-Identifier: MIT
#pragma once
// The reminders' two settings, kept in their own section "Reminders" of the options store:
// how long without input counts as away, and after how long clocked in a day counts as long.
// 0 turns either reminder off.

#include <QSettings>
#include <optional>
#include <string>
#include <vector>

namespace tally {

inline constexpr const char* kRemindersSection = "Reminders";

struct ReminderValues {
    int idleMinutes = 10;
    int longDayHours = 10;
    friend bool operator==(const ReminderValues&, const ReminderValues&) = default;
};

// One setting: its key in the section, its unit for messages, and the values it accepts.
struct ReminderKey {
    const char* name;
    const char* unit;
    int maximum;  // values run from 0 (off) to this: a day in minutes, a day in hours
    int ReminderValues::*field;
};

// Both keys, in the order `tally config` lists them.
const std::vector<ReminderKey>& ReminderKeys();
const ReminderKey* FindReminderKey(const std::string& name);

// What is in the store now (written since start-up by another program included); a value that
// is not a whole number in its range reads as the default.
ReminderValues ReadReminders(QSettings& settings);
void WriteReminders(QSettings& settings, const ReminderValues& values);
// Stores one value, which the caller has checked against its key's range.
void WriteReminder(QSettings& settings, const ReminderKey& key, int value);

}  // namespace tally
