// SPDX-License-Identifier: MIT
#include "reminders/reminder_controller.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "fake_reminder_services.h"
#include "log_text.h"
#include "settings/reminder_settings.h"
#include "test_support.h"

namespace tally::test {
namespace {

class ReminderControllerTest : public ::testing::Test {
  protected:
    ReminderControllerTest()
        : engine(clock, reporter),
          store(QString::fromStdString(dir.File("settings.ini"))),
          services{&idle, notifier},
          controller(engine, clock, store, services, &window) {
        engine.Settings().DataLog = Log();
        QObject::connect(&controller, &ReminderController::ClockedOut, [this] { ++clockOuts; });
        SetLimits(10, 0);
    }

    std::string Log() const { return dir.File("TALLYBK.DAT"); }
    void SetLimits(int idleMinutes, int longDayHours) {
        WriteReminders(store.Raw(), {idleMinutes, longDayHours});
    }
    // The log as another program leaves it; the window reads it before the next tick.
    void PutLog(const std::string& text) {
        WriteFile(Log(), text);
        engine.ScanTimeLog();
    }
    void Tick(TimeValue now, std::optional<std::int64_t> idleSeconds) {
        clock.Set(now);
        idle.idle = idleSeconds;
        controller.OnTick();
    }
    // Ticks every five seconds up to until, input having stopped at stopped; then input at
    // back.
    void AwayUntil(TimeValue stopped, TimeValue back) {
        for (TimeValue t = stopped; t < back; t += 5) Tick(t, t - stopped);
        Tick(back, 0);
    }

    TempDir dir;
    FakeClock clock;
    RecordingReporter reporter;
    TallyEngine engine;
    SettingsStore store;
    FakeIdleSource idle;
    RecordingNotifier notifier;
    ReminderServices services;
    QWidget window;
    ReminderController controller;
    int clockOuts = 0;
};

TEST_F(ReminderControllerTest, keepTheTimeChangesNothing) {
    PutLog(In("2026-12-07 12:00:00"));
    AwayUntil(At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 13, 10, 0));
    CIdleTimeDlg* prompt = controller.IdlePrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_EQ(prompt->windowTitle(), "Idle Time");
    EXPECT_EQ(prompt->Text()->text(),
              "You were away from 12:03 to 13:10 (1:07:00) while clocked in.");
    EXPECT_EQ(prompt->KeepButton()->text(), "&Keep the Time");
    EXPECT_EQ(prompt->ClockOutButton()->text(), "&Clock Out When I Left");
    EXPECT_TRUE(prompt->KeepButton()->isDefault());

    prompt->KeepButton()->click();
    EXPECT_EQ(controller.IdlePrompt(), nullptr);
    EXPECT_EQ(ReadFile(Log()), In("2026-12-07 12:00:00"));
    EXPECT_TRUE(engine.ClockedIn());
    EXPECT_EQ(clockOuts, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ReminderControllerTest, enterAndEscapeKeepTheTime) {
    PutLog(In("2026-12-07 12:00:00"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        AwayUntil(At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 13, 10, 0));
        ASSERT_NE(controller.IdlePrompt(), nullptr) << key;
        QTest::keyClick(controller.IdlePrompt(), key);
        EXPECT_EQ(controller.IdlePrompt(), nullptr) << key;
        EXPECT_EQ(ReadFile(Log()), In("2026-12-07 12:00:00")) << key;
    }
    EXPECT_EQ(clockOuts, 0);
}

TEST_F(ReminderControllerTest, clockOutWhenILeftWritesTheClockOutOfThatTime) {
    struct Case {
        const char* name;
        std::string in;
        TimeValue stopped;
        TimeValue back;
        std::string appended;
    };
    const std::vector<Case> cases = {
        {"same day", In("2026-12-07 12:00:00"), At(2026, 12, 7, 12, 3, 20),
         At(2026, 12, 7, 13, 10, 0), Out("2026-12-07 12:03:20") + Elapsed("00:03:20")},
        {"across midnight", In("2026-12-07 22:00:00"), At(2026, 12, 8, 0, 20, 5),
         At(2026, 12, 8, 2, 0, 0),
         Out("2026-12-07 23:59:59") + Elapsed("01:59:59") + In("2026-12-08 00:00:00") +
             Out("2026-12-08 00:20:05") + Elapsed("00:20:05")},
        {"left before midnight, back after", In("2026-12-07 21:00:00"), At(2026, 12, 7, 23, 30, 0),
         At(2026, 12, 8, 7, 45, 0), Out("2026-12-07 23:30:00") + Elapsed("02:30:00")},
    };
    for (const Case& c : cases) {
        const std::string before = Triple("2026-12-06 09:00:00", "2026-12-06 17:00:00") + c.in;
        PutLog(before);
        AwayUntil(c.stopped, c.back);
        ASSERT_NE(controller.IdlePrompt(), nullptr) << c.name;
        controller.IdlePrompt()->ClockOutButton()->click();
        EXPECT_EQ(controller.IdlePrompt(), nullptr) << c.name;
        EXPECT_EQ(ReadFile(Log()), before + c.appended) << c.name;
        EXPECT_FALSE(engine.ClockedIn()) << c.name;  // scanned again
        EXPECT_TRUE(reporter.messages.empty()) << c.name;
    }
    EXPECT_EQ(clockOuts, 3);
}

TEST_F(ReminderControllerTest, aPunchFromElsewhereClosesThePromptAndChangesNothing) {
    const std::string in = In("2026-12-07 12:00:00");
    for (const std::string& elsewhere :
         {Triple("2026-12-07 12:00:00", "2026-12-07 13:11:00"),
          Triple("2026-12-07 12:00:00", "2026-12-07 13:11:00") + In("2026-12-07 13:11:02")}) {
        PutLog(in);
        AwayUntil(At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 13, 10, 0));
        ASSERT_NE(controller.IdlePrompt(), nullptr);
        QPointer<CIdleTimeDlg> prompt = controller.IdlePrompt();
        PutLog(elsewhere);
        Tick(At(2026, 12, 7, 13, 11, 5), 0);
        EXPECT_EQ(controller.IdlePrompt(), nullptr);
        EXPECT_FALSE(prompt && prompt->isVisible());
        EXPECT_EQ(ReadFile(Log()), elsewhere);
        EXPECT_EQ(clockOuts, 0);
    }
}

TEST_F(ReminderControllerTest, aPunchBetweenTheLastTickAndTheClickChangesNothing) {
    PutLog(In("2026-12-07 12:00:00"));
    AwayUntil(At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 13, 10, 0));
    ASSERT_NE(controller.IdlePrompt(), nullptr);
    const std::string elsewhere = Triple("2026-12-07 12:00:00", "2026-12-07 13:10:01");
    WriteFile(Log(), elsewhere);
    controller.IdlePrompt()->ClockOutButton()->click();
    EXPECT_EQ(ReadFile(Log()), elsewhere);
    EXPECT_EQ(clockOuts, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ReminderControllerTest, noPrompt) {
    struct Case {
        const char* name;
        std::string log;
        int idleMinutes;
        bool idleSource;
        TimeValue back;  // input stopped at 12:03
    };
    const std::string in = In("2026-12-07 12:00:00");
    const std::vector<Case> cases = {
        {"clocked out", Triple("2026-12-07 12:00:00", "2026-12-07 12:03:00"), 10, true,
         At(2026, 12, 7, 13, 10, 0)},
        {"no log", "", 10, true, At(2026, 12, 7, 13, 10, 0)},
        {"below the limit", in, 10, true, At(2026, 12, 7, 12, 12, 59)},
        {"turned off", in, 0, true, At(2026, 12, 7, 13, 10, 0)},
        {"no idle source", in, 10, false, At(2026, 12, 7, 13, 10, 0)},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Log());
        if (!c.log.empty()) PutLog(c.log);
        engine.ScanTimeLog();
        SetLimits(c.idleMinutes, 0);
        services.idle = c.idleSource ? &idle : nullptr;
        ReminderController fresh(engine, clock, store, services, &window);
        const TimeValue stopped = At(2026, 12, 7, 12, 3, 0);
        for (TimeValue t = stopped; t < c.back; t += 5) {
            clock.Set(t);
            idle.idle = t - stopped;
            fresh.OnTick();
        }
        clock.Set(c.back);
        idle.idle = 0;
        fresh.OnTick();
        EXPECT_EQ(fresh.IdlePrompt(), nullptr) << c.name;
        EXPECT_EQ(ReadFile(Log()), c.log) << c.name;
    }
}

TEST_F(ReminderControllerTest, theIdleTimeIsAskedOnlyWhileClockedIn) {
    PutLog(Triple("2026-12-07 08:00:00", "2026-12-07 09:00:00"));
    Tick(At(2026, 12, 7, 9, 0, 1), 0);
    EXPECT_EQ(idle.calls, 0);
    PutLog(Triple("2026-12-07 08:00:00", "2026-12-07 09:00:00") + In("2026-12-07 09:10:00"));
    Tick(At(2026, 12, 7, 9, 10, 1), 0);
    EXPECT_EQ(idle.calls, 1);
}

TEST_F(ReminderControllerTest, oneLongDayReminderPerIn) {
    SetLimits(0, 10);
    const std::string first = In("2026-12-07 08:02:00");
    PutLog(first);
    for (TimeValue t = At(2026, 12, 7, 8, 2, 0); t <= At(2026, 12, 7, 20, 0, 0); t += 60) {
        Tick(t, 0);
    }
    EXPECT_EQ(notifier.notes,
              QStringList{"TallyBook: You have been clocked in since 08:02 (10:00:00)."});

    // Out and In again: the new In has its own reminder.
    PutLog(Triple("2026-12-07 08:02:00", "2026-12-07 20:00:00") + In("2026-12-08 07:00:30"));
    for (TimeValue t = At(2026, 12, 8, 7, 0, 30); t <= At(2026, 12, 8, 18, 0, 0); t += 60) {
        Tick(t, 0);
    }
    EXPECT_EQ(notifier.notes.size(), 2);
    EXPECT_EQ(notifier.notes.last(), "TallyBook: You have been clocked in since 07:00 (10:00:00).");
}

TEST_F(ReminderControllerTest, theLimitsComeFromTheStoreAsItIsNow) {
    PutLog(In("2026-12-07 12:00:00"));
    Tick(At(2026, 12, 7, 12, 2, 0), 0);  // read with 10 minutes
    // Written by another program (tally config) while the window runs.
    {
        QSettings other(QString::fromStdString(dir.File("settings.ini")), QSettings::IniFormat);
        other.setValue("Reminders/IdleMinutes", 1);
    }
    AwayUntil(At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 12, 4, 10));
    ASSERT_NE(controller.IdlePrompt(), nullptr);
    EXPECT_EQ(controller.IdlePrompt()->Away(),
              (AwayTime{At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 12, 4, 10)}));
}

}  // namespace
}  // namespace tally::test
