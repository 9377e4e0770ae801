// SPDX-License-Identifier: MIT
// Punches in separate processes: a write cut short by a file-size limit, two copies of the
// program punching at the same moment, and one punching while the other has made the log
// but not yet locked it.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>

#include "child_process.h"
#include "engine_fixture.h"
#include "log/time_log_file.h"

namespace tally::test {
namespace {

class PunchProcess : public EngineTest {
  protected:
    // Punches in a child whose files may not grow beyond limit bytes; the child exits 0
    // when the punch failed with the write message, 1 otherwise.
    int PunchWithSizeLimit(rlim_t limit, bool in) {
        const auto punch = [&](std::string&) {
            IgnoreFileSizeSignal();
            const rlimit r{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &r) != 0) return false;
            const bool ok = in ? engine.OnClockIn() : engine.OnClockOut();
            return !ok && reporter.messages.size() == 1 &&
                   reporter.messages[0].text ==
                       "ERROR! Failed to write to " + log() + ". Aborting operation.\n";
        };
        return RunInChild(punch).exitCode;
    }
};

TEST_F(PunchProcess, aClockOutCutShortLeavesTheLogAsItWas) {
    WriteLog(Triple("Mon Dec 07 07:00:00 2026", "Mon Dec 07 08:00:00 2026", "01:00:00") +
             "In...Mon Dec 07 22:30:00 2026\n");
    const std::string before = ReadFile(log());
    clock.SetLocal(2026, 12, 8, 1, 15, 20);  // a midnight split: five lines
    for (rlim_t room : {0, 10, 40, 100}) {
        EXPECT_EQ(PunchWithSizeLimit(before.size() + room, false), 0) << room;
        EXPECT_EQ(ReadFile(log()), before) << room;
    }
}

TEST_F(PunchProcess, aClockInCutShortLeavesNoLogBehind) {
    clock.SetLocal(2026, 12, 7, 9, 0, 0);
    EXPECT_EQ(PunchWithSizeLimit(10, true), 0);
    EXPECT_FALSE(FileIdentity::OfPath(log()).exists);

    WriteLog(Triple("Mon Dec 07 07:00:00 2026", "Mon Dec 07 08:00:00 2026", "01:00:00"));
    const std::string before = ReadFile(log());
    EXPECT_EQ(PunchWithSizeLimit(before.size() + 20, true), 0);
    EXPECT_EQ(ReadFile(log()), before);
}

TEST_F(PunchProcess, twoCopiesPunchingInTogetherWriteOneInRecord) {
    clock.SetLocal(2026, 12, 7, 9, 0, 0);
    for (int round = 0; round < 20; ++round) {
        WriteLog(round % 2 == 0
                     ? std::string()
                     : Triple("Mon Dec 07 07:00:00 2026", "Mon Dec 07 08:00:00 2026", "01:00:00"));
        if (round % 4 == 0) std::remove(log().c_str());  // both may try to create it
        const std::string before = FileIdentity::OfPath(log()).exists ? ReadFile(log()) : "";
        int succeeded = 0;
        for (const ChildOutcome& child :
             RunInChildren(2, [&](int, std::string&) { return engine.OnClockIn(); })) {
            ASSERT_TRUE(child.exitCode >= 0 && child.exitCode < 128) << child.exitCode;
            if (child.exitCode == 0) ++succeeded;
        }
        EXPECT_EQ(succeeded, 1) << round;
        EXPECT_EQ(ReadFile(log()), before + "In...Mon Dec 07 09:00:00 2026\r\n") << round;
    }
}

// Another copy of the program, in a process of its own, punches In at 07:00 and Out at 08:00.
bool AnotherCopyPunchesAPair(const std::string& path) {
    return RunInChild([&](std::string&) {
               FakeClock otherClock;
               RecordingReporter otherReporter;
               TallyEngine other(otherClock, otherReporter);
               other.Settings().DataLog = path;
               otherClock.SetLocal(2026, 12, 7, 7, 0, 0);
               if (!other.OnClockIn()) return false;
               otherClock.SetLocal(2026, 12, 7, 8, 0, 0);
               return other.OnClockOut();
           }).exitCode == 0;
}

TEST_F(PunchProcess, aFailedFirstClockInKeepsWhatOthersPunchedBeforeItsLock) {
    const std::string others =
        Crlf(Triple("Mon Dec 07 07:00:00 2026", "Mon Dec 07 08:00:00 2026", "01:00:00"));
    for (rlim_t room : {0, 10}) {
        std::remove(log().c_str());
        clock.SetLocal(2026, 12, 7, 9, 0, 0);
        const int failedAsExpected =
            RunInChild([&](std::string&) {
                IgnoreFileSizeSignal();
                // Runs between this Clock In's create and its lock: another copy punches a whole
                // pair, then the disk fills up.
                const auto othersPunchThenTheDiskFills = [&] {
                    if (!AnotherCopyPunchesAPair(log())) _exit(2);
                    const rlim_t limit = ReadFile(log()).size() + room;
                    const rlimit r{limit, limit};
                    if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(3);
                };
                engine.SetLockOptions({std::chrono::seconds(2), othersPunchThenTheDiskFills});
                return !engine.OnClockIn() && reporter.messages.size() == 1 &&
                       reporter.messages[0].text ==
                           "ERROR! Failed to write to " + log() + ". Aborting operation.\n";
            }).exitCode;
        EXPECT_EQ(failedAsExpected, 0) << room;
        ASSERT_TRUE(FileIdentity::OfPath(log()).exists) << room;
        EXPECT_EQ(ReadFile(log()), others) << room;
    }
}

}  // namespace
}  // namespace tally::test
