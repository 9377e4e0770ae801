// SPDX-License-Identifier: MIT
// The switch between clients: refused with nothing written where the target cannot take an
// In, and where the In fails after the Out, a message that says what each log holds.

#include <gtest/gtest.h>
#include <sys/file.h>

#include "clients/client_switch.h"
#include "folder_snapshot.h"
#include "log/time_log_file.h"
#include "log_text.h"
#include "test_support.h"

namespace tally::test {
namespace {

struct SwitchCase {
    const char* name;
    std::string target;  // the target log's bytes; "DIR" for a folder, "" for none
    bool holdTarget;     // another program holds the target's lock throughout
    SwitchOutcome outcome;
    std::string message;  // the start of the last message
};

TEST(SwitchToLog, refusesWhatCannotTakeAnInAndSaysWhereAHalfSwitchLeftTheLogs) {
    const std::string pair =
        Crlf(In("2026-12-07 07:00:00") + Out("2026-12-07 08:00:00") + Elapsed("01:00:00"));
    const SwitchCase cases[] = {
        {"a missing log, made by the In", "", false, SwitchOutcome::Switched, ""},
        {"clocked in", pair + Crlf(In("2026-12-07 08:30:00")), false, SwitchOutcome::Refused,
         "already clocked in for Beta"},
        {"no closed pair at its end", pair + "oops\r\n", false, SwitchOutcome::Refused,
         "DIR/beta.dat does not end with a closed pair"},
        {"a folder", "DIR", false, SwitchOutcome::Refused, "cannot "},
        {"locked by another program", pair, true, SwitchOutcome::OutOnly,
         "The switch stopped half-way: Acme was clocked out at Mon Dec 07 10:15:30 2026 "
         "(DIR/acme.dat ends with that pair), but the In for Beta was not written "
         "(DIR/beta.dat is as it was). No client is clocked in now. To go back to Acme from "
         "the second it stopped: tally --client Acme in --at '2026-12-07 10:15:30'"},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto named = [&](std::string text) {
            for (auto at = text.find("DIR"); at != std::string::npos; at = text.find("DIR"))
                text.replace(at, 3, dir.Path().string());
            return text;
        };
        std::vector<Client> clients(2);
        clients[0].name = "Acme";
        clients[0].log = dir.File("acme.dat");
        clients[1].name = "Beta";
        clients[1].log = dir.File("beta.dat");
        const std::string acme = pair + Crlf(In("2026-12-07 09:00:00"));
        WriteFile(clients[0].log, acme);
        if (c.target == "DIR") {
            std::filesystem::create_directory(clients[1].log);
        } else if (!c.target.empty()) {
            WriteFile(clients[1].log, c.target);
        }
        const FileDescriptor held(
            c.holdTarget ? OpenTimeLog(clients[1].log, LogAccess::Read, nullptr) : -1);
        if (c.holdTarget) {
            ASSERT_EQ(flock(held.Get(), LOCK_EX), 0);
        }
        const ClientBook book{dir.File("clients.lock"), [&] { return clients; }};
        WriteFile(book.lockPath, "");

        FakeClock clock(At(2026, 12, 7, 10, 15, 30));
        RecordingReporter reporter;
        TallyEngine engine(clock, reporter);
        engine.Settings().DataLog = clients[1].log;
        engine.SetLockOptions({std::chrono::milliseconds(50), {}});
        const FolderSnapshot before = SnapshotTree(dir.Path());

        const SwitchResult result = SwitchToLog(engine, book);
        EXPECT_EQ(result.outcome, c.outcome);
        const std::string closed = acme + Crlf(Out("2026-12-07 10:15:30") + Elapsed("01:15:30"));
        if (c.outcome == SwitchOutcome::Refused) {
            EXPECT_EQ(SnapshotTree(dir.Path()), before);
        } else {
            EXPECT_EQ(ReadFile(clients[0].log), closed);
            EXPECT_EQ(result.from->client.name, "Acme");
            // Beta's log has the In, or is as it was where the In failed.
            const bool switched = c.outcome == SwitchOutcome::Switched;
            EXPECT_EQ(ReadFile(clients[1].log),
                      c.target + (switched ? Crlf(In("2026-12-07 10:15:30")) : ""));
        }
        if (c.outcome == SwitchOutcome::Switched) {
            EXPECT_TRUE(engine.ClockedIn());
            EXPECT_TRUE(reporter.messages.empty() && result.refusal.empty());
        } else {
            // A refusal is the front end's to say; a half switch is said by the engine.
            const std::string said = c.outcome == SwitchOutcome::Refused
                                         ? result.refusal
                                         : reporter.messages.back().text;
            EXPECT_EQ(said.rfind(named(c.message), 0), 0u) << said;
        }
    }
}

}  // namespace
}  // namespace tally::test
