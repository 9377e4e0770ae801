// SPDX-License-Identifier: MIT
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

namespace tally {
namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    SettingsStoreTest() : store(QString::fromStdString(dir.File("settings.ini"))) {}
    QSettings& raw() { return store.Raw(); }

    test::TempDir dir;
    SettingsStore store;
};

TEST_F(SettingsStoreTest, defaultsForANewUser) {
    setenv("HOME", "/home/someone", 1);
    CurrentSettings s;
    store.Load(s);
    EXPECT_FALSE(s.ShowDollars);
    EXPECT_EQ(s.DataLog, "/home/someone/TALLYBK.DAT");
    EXPECT_EQ(s.Rate, 0.0);
    EXPECT_EQ(s.PeriodType, kPeriodHalfMonth);
    EXPECT_EQ(s.RoundingType, kRoundNone);
    EXPECT_EQ(s.RoundingUnit, 0);
    EXPECT_EQ(s.WeekStartDay, 0);
    const WindowPosition position = store.ReadWindowPosition();
    EXPECT_EQ(position.x, -1);
    EXPECT_EQ(position.y, -1);
    EXPECT_EQ(store.RateText(), "0.0");
    EXPECT_TRUE(raw().allKeys().isEmpty());  // loading writes nothing
}

TEST_F(SettingsStoreTest, impossibleWeekStartIsUsedAsSundayAndMended) {
    for (int stored : {9, 7, -3}) {
        raw().setValue(StorePath(kOptionsSection, kWeekStartDayKey), stored);
        CurrentSettings s;
        store.Load(s);
        EXPECT_EQ(s.WeekStartDay, 0) << stored;
        EXPECT_EQ(raw().value(StorePath(kOptionsSection, kWeekStartDayKey)).toInt(), 0) << stored;
    }
    raw().setValue(StorePath(kOptionsSection, kWeekStartDayKey), 6);
    CurrentSettings s;
    store.Load(s);
    EXPECT_EQ(s.WeekStartDay, 6);
}

TEST_F(SettingsStoreTest, theLogProbeRunsBetweenDataLogAndShowDollars) {
    raw().setValue(StorePath(kOptionsSection, kDataLogKey), "/tmp/elsewhere.dat");
    raw().setValue(StorePath(kOptionsSection, kShowDollarsKey), 1);
    CurrentSettings s;
    std::string seenPath;
    bool seenDollars = true;
    store.Load(s, [&](const CurrentSettings& partial) {
        seenPath = partial.DataLog;
        seenDollars = partial.ShowDollars;
    });
    EXPECT_EQ(seenPath, "/tmp/elsewhere.dat");
    EXPECT_FALSE(seenDollars);
    EXPECT_TRUE(s.ShowDollars);
}

TEST_F(SettingsStoreTest, saveWritesEveryKeyWithTheRateTextAsTyped) {
    CurrentSettings s;
    store.Load(s);
    OptionValues v = SettingsStore::ToOptionValues(s);
    EXPECT_EQ(v.Rate, "0.00");  // offered with two decimals
    store.Save(v, s);
    // The names in the file, as other programs and earlier versions read them.
    store.WriteWindowPosition({1, 2});
    QStringList keys = raw().allKeys();
    keys.sort();
    EXPECT_EQ(keys,
              (QStringList{"Options/DataLog", "Options/PeriodType", "Options/Rate",
                           "Options/RoundingType", "Options/RoundingUnit", "Options/ShowDollars",
                           "Options/WeekStartDay", "Settings/X", "Settings/Y"}));
    EXPECT_EQ(raw().value(StorePath(kOptionsSection, kRateKey)).toString(), "0.00");

    v.Rate = "12.5abc";
    v.ShowDollars = true;
    v.RoundingType = kRoundDaily;
    v.RoundingUnit = 30;
    v.WeekStartDay = 3;
    v.PeriodType = kPeriodWeekly;
    v.DataLog = "/data/log.dat";
    store.Save(v, s);
    EXPECT_EQ(s.Rate, 12.5);
    EXPECT_EQ(raw().value(StorePath(kOptionsSection, kRateKey)).toString(), "12.5abc");
    EXPECT_EQ(raw().value(StorePath(kOptionsSection, kShowDollarsKey)).toInt(), 1);

    CurrentSettings reloaded;
    store.Load(reloaded);
    EXPECT_TRUE(reloaded.ShowDollars);
    EXPECT_EQ(reloaded.DataLog, "/data/log.dat");
    EXPECT_EQ(reloaded.Rate, 12.5);
    EXPECT_EQ(reloaded.PeriodType, kPeriodWeekly);
    EXPECT_EQ(reloaded.RoundingType, kRoundDaily);
    EXPECT_EQ(reloaded.RoundingUnit, 30);
    EXPECT_EQ(reloaded.WeekStartDay, 3);
}

TEST_F(SettingsStoreTest, rateConversions) {
    EXPECT_EQ(RateFromText("  12.5 per hour"), 12.5);
    EXPECT_EQ(RateFromText("abc"), 0.0);
    EXPECT_EQ(RateFromText(""), 0.0);
    EXPECT_EQ(RateToText(12.345), "12.35");  // a longer stored rate is offered shortened
    EXPECT_EQ(RateToText(0), "0.00");
}

TEST_F(SettingsStoreTest, rateIsReadWithADecimalPointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    EXPECT_EQ(RateFromText("12.5"), 12.5);
    EXPECT_EQ(RateToText(12.5), "12.50");
    std::setlocale(LC_ALL, previous.c_str());
}

TEST_F(SettingsStoreTest, handWrittenCommasReadAsWritten) {
    // Qt's INI reader makes a list of a value with an unquoted comma; its text was empty.
    struct Case {
        const char* text;
        const char* rateText;
        double rate;
        const char* log;
    };
    const Case cases[] = {
        {"DataLog=/l.dat\nRate=12,50", "12,50", 12.0, "/l.dat"},
        {"DataLog=/l.dat\nRate=1,", "1,", 1.0, "/l.dat"},
        {"DataLog=/home/ann/work,2024/TALLYBK.DAT", "0.0", 0.0, "/home/ann/work,2024/TALLYBK.DAT"},
        {"DataLog=\"/home/ann/a, b.dat\"", "0.0", 0.0, "/home/ann/a, b.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        test::WriteFile(dir.File("settings.ini"), std::string("[Options]\n") + c.text + "\n");
        SettingsStore reader(QString::fromStdString(dir.File("settings.ini")));
        CurrentSettings s;
        reader.Load(s);
        EXPECT_EQ(reader.RateText(), c.rateText);
        EXPECT_EQ(s.Rate, c.rate);
        EXPECT_EQ(s.DataLog, c.log);
    }
}

TEST_F(SettingsStoreTest, windowPositionRoundTripsNegativeValues) {
    store.WriteWindowPosition({-32000, 15});
    const WindowPosition position = store.ReadWindowPosition();
    EXPECT_EQ(position.x, -32000);
    EXPECT_EQ(position.y, 15);
}

// Another program's write: the file's new text, and the modification time it got.
void WriteAsAnotherProgram(const std::string& path, const std::string& text, timespec modified) {
    test::WriteFile(path, text);
    const timespec times[2] = {{0, UTIME_OMIT}, modified};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(SettingsStoreTest, everyReadSeesWhatAnotherProgramWroteSinceTheLastOne) {
    // Each file but the last has the size of the one before; the third comes within the
    // same second as the second, one millisecond later, the last at the same instant.
    struct Case {
        const char* rate;
        const char* log;
        int unit;
        int x;
        timespec modified;
    };
    const Case cases[] = {
        {"10.00", "/a.dat", 15, 100, {1700000000, 100000000}},
        {"20.00", "/b.dat", 30, 200, {1700000001, 100000000}},
        {"30.00", "/c.dat", 15, 300, {1700000001, 101000000}},
        {"7.5", "/d.dat", 1, 4, {1700000001, 101000000}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.rate);
        WriteAsAnotherProgram(dir.File("settings.ini"),
                              std::string("[Options]\nDataLog=") + c.log + "\nRate=" + c.rate +
                                  "\nRoundingUnit=" + std::to_string(c.unit) +
                                  "\n\n[Settings]\nX=" + std::to_string(c.x) + "\n",
                              c.modified);
        // Each reader in turn is the first to read the new file.
        const std::function<void()> readers[] = {
            [&] { EXPECT_EQ(store.RateText(), c.rate); },
            [&] { EXPECT_EQ(store.RoundingUnit(), c.unit); },
            [&] {
                CurrentSettings s;
                store.Load(s);
                EXPECT_EQ(s.DataLog, c.log);
            },
            [&] { EXPECT_EQ(store.ReadWindowPosition().x, c.x); },
        };
        for (std::size_t k = 0; k < std::size(readers); ++k) {
            readers[(i + k) % std::size(readers)]();
        }
    }
}

}  // namespace
}  // namespace tally
