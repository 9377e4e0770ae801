// SPDX-License-Identifier: MIT
#include "settings/reminder_settings.h"

#include <gtest/gtest.h>

#include "settings/settings_store.h"
#include "test_support.h"

namespace tally {
namespace {

class ReminderSettingsTest : public ::testing::Test {
  protected:
    ReminderSettingsTest() : store(QString::fromStdString(dir.File("settings.ini"))) {}

    test::TempDir dir;
    SettingsStore store;
};

TEST_F(ReminderSettingsTest, defaultsWhenNothingIsStored) {
    EXPECT_EQ(ReadReminders(store.Raw()), (ReminderValues{10, 10}));
    EXPECT_TRUE(store.Raw().allKeys().isEmpty());  // reading writes nothing
}

TEST_F(ReminderSettingsTest, storedTextsAsRead) {
    struct Case {
        const char* stored;
        int idleMinutes;  // as read; LongDayHours gets the same text
        int longDayHours;
    };
    for (const Case& c :
         {Case{"0", 0, 0}, Case{"1", 1, 1}, Case{"24", 24, 24}, Case{" 7 ", 7, 7},
          Case{"25", 25, 10}, Case{"1440", 1440, 10}, Case{"1441", 10, 10}, Case{"-1", 10, 10},
          Case{"abc", 10, 10}, Case{"", 10, 10}, Case{"5.5", 10, 10}, Case{"9x", 10, 10},
          Case{"99999999999999", 10, 10}}) {
        store.Raw().setValue("Reminders/IdleMinutes", c.stored);
        store.Raw().setValue("Reminders/LongDayHours", c.stored);
        EXPECT_EQ(ReadReminders(store.Raw()), (ReminderValues{c.idleMinutes, c.longDayHours}))
            << '"' << c.stored << '"';
    }
}

TEST_F(ReminderSettingsTest, writtenValuesReachTheFileInTheirOwnSection) {
    WriteReminders(store.Raw(), {3, 8});
    const std::string file = test::ReadFile(dir.File("settings.ini"));
    EXPECT_NE(file.find("[Reminders]\nIdleMinutes=3\nLongDayHours=8\n"), std::string::npos) << file;
    WriteReminder(store.Raw(), *FindReminderKey("LongDayHours"), 0);
    EXPECT_EQ(ReadReminders(store.Raw()), (ReminderValues{3, 0}));
}

TEST_F(ReminderSettingsTest, aValueWrittenByAnotherProgramIsSeen) {
    EXPECT_EQ(ReadReminders(store.Raw()).idleMinutes, 10);
    {
        QSettings other(QString::fromStdString(dir.File("settings.ini")), QSettings::IniFormat);
        other.setValue("Reminders/IdleMinutes", 1);
    }
    EXPECT_EQ(ReadReminders(store.Raw()).idleMinutes, 1);
}

TEST(ReminderKeys, namesRangesAndLookUp) {
    ASSERT_EQ(ReminderKeys().size(), 2u);
    EXPECT_STREQ(ReminderKeys()[0].name, "IdleMinutes");
    EXPECT_EQ(ReminderKeys()[0].maximum, 1440);
    EXPECT_STREQ(ReminderKeys()[1].name, "LongDayHours");
    EXPECT_EQ(ReminderKeys()[1].maximum, 24);
    EXPECT_EQ(FindReminderKey("IdleMinutes"), &ReminderKeys()[0]);
    EXPECT_EQ(FindReminderKey("idleminutes"), nullptr);
    EXPECT_EQ(FindReminderKey("Rate"), nullptr);
}

}  // namespace
}  // namespace tally
