// SPDX-License-Identifier: MIT
#include "settings/reminder_settings.h"

#include <QString>

namespace tally {
namespace {

QString StoreKey(const ReminderKey& key) {
    return QString(kRemindersSection) + '/' + key.name;
}

}  // namespace

const std::vector<ReminderKey>& ReminderKeys() {
    static const std::vector<ReminderKey> keys = {
        {"IdleMinutes", "minutes", 24 * 60, &ReminderValues::idleMinutes},
        {"LongDayHours", "hours", 24, &ReminderValues::longDayHours},
    };
    return keys;
}

const ReminderKey* FindReminderKey(const std::string& name) {
    for (const ReminderKey& key : ReminderKeys()) {
        if (name == key.name) return &key;
    }
    return nullptr;
}

ReminderValues ReadReminders(QSettings& settings) {
    // Another program may have written the file since this one last looked.
    settings.sync();
    ReminderValues values;
    for (const ReminderKey& key : ReminderKeys()) {
        bool ok = false;
        const int stored = settings.value(StoreKey(key)).toString().trimmed().toInt(&ok);
        if (ok && stored >= 0 && stored <= key.maximum) values.*key.field = stored;
    }
    return values;
}

void WriteReminders(QSettings& settings, const ReminderValues& values) {
    for (const ReminderKey& key : ReminderKeys()) {
        settings.setValue(StoreKey(key), values.*key.field);
    }
    settings.sync();
}

void WriteReminder(QSettings& settings, const ReminderKey& key, int value) {
    settings.setValue(StoreKey(key), value);
    settings.sync();
}

}  // namespace tally
