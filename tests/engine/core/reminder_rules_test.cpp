// SPDX-License-Identifier: MIT
#include "reminders/reminder_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.h"

namespace tally::test {
namespace {

const TimeValue kIn = At(2026, 12, 7, 8, 2, 0);

// One tick: seconds after the In, the idle time (-1: no idle source), clocked in or not.
struct Tick {
    std::int64_t sinceIn;
    std::int64_t idle;
    bool clockedIn = true;
    TimeValue inAt = kIn;
};

// What the rules said over a run of ticks: "away <left> <back>" and "long <tick's seconds>",
// in seconds after the In.
std::vector<std::string> Said(ReminderRules& rules, const std::vector<Tick>& ticks) {
    std::vector<std::string> said;
    for (const Tick& t : ticks) {
        ReminderTick tick{t.clockedIn, t.inAt, kIn + t.sinceIn, std::nullopt};
        if (t.idle >= 0) tick.idleSeconds = t.idle;
        const ReminderDecision d = rules.OnTick(tick);
        if (d.away) {
            said.push_back("away " + std::to_string(d.away->leftAt - kIn) + " " +
                           std::to_string(d.away->backAt - kIn));
        }
        if (d.longDay) said.push_back("long " + std::to_string(t.sinceIn));
    }
    return said;
}

// Ticks once a second from..to (inclusive) with input stopped at stoppedAt.
std::vector<Tick> IdleFrom(std::int64_t stoppedAt, std::int64_t from, std::int64_t to) {
    std::vector<Tick> ticks;
    for (std::int64_t s = from; s <= to; ++s) ticks.push_back({s, s - stoppedAt});
    return ticks;
}

std::vector<Tick> Then(std::vector<Tick> ticks, const std::vector<Tick>& more) {
    ticks.insert(ticks.end(), more.begin(), more.end());
    return ticks;
}

TEST(ReminderRulesAway, comingBackAfterTheLimit) {
    struct Case {
        const char* name;
        int idleMinutes;
        std::vector<Tick> ticks;
        std::vector<std::string> said;
    };
    const std::vector<Case> cases = {
        {"back after 10 minutes away",
         10,
         Then(IdleFrom(1000, 1000, 1700), {{1701, 0}, {1702, 1}}),
         {"away 1000 1701"}},
        {"back exactly at the limit",
         10,
         Then(IdleFrom(1000, 1000, 1600), {{1601, 0}}),
         {"away 1000 1601"}},
        {"back a second before the limit", 10, Then(IdleFrom(1000, 1000, 1599), {{1600, 0}}), {}},
        {"input came back between two ticks",
         10,
         Then(IdleFrom(1000, 1000, 1700), {{1705, 3}}),
         {"away 1000 1702"}},
        {"a late tick after a long gap",
         10,
         {{100, 0}, {5000, 4900}, {5001, 0}},
         {"away 100 5001"}},
        {"still away: nothing yet", 10, IdleFrom(1000, 1000, 4000), {}},
        {"turned off", 0, Then(IdleFrom(1000, 1000, 1700), {{1701, 0}}), {}},
        {"one minute", 1, Then(IdleFrom(0, 0, 70), {{71, 0}}), {"away 0 71"}},
        {"twice in one In",
         1,
         Then(Then(IdleFrom(0, 0, 70), {{71, 0}}), Then(IdleFrom(100, 100, 200), {{201, 0}})),
         {"away 0 71", "away 100 201"}},
        // Idle since before the In: only the time clocked in counts.
        {"idle since before the In", 10, {{0, 300}, {700, 1000}, {701, 0}}, {"away 0 701"}},
        {"idle before the In, back too soon", 10, {{0, 300}, {500, 800}, {501, 0}}, {}},
        {"no idle source", 10, {{100, -1}, {1000, -1}, {1001, -1}}, {}},
    };
    for (const Case& c : cases) {
        ReminderRules rules;
        rules.SetLimits(c.idleMinutes, 0);
        EXPECT_EQ(Said(rules, c.ticks), c.said) << c.name;
    }
}

TEST(ReminderRulesAway, onlyWhileClockedInAndForTheSameIn) {
    ReminderRules rules;
    rules.SetLimits(10, 0);
    // Clocked out while away (from elsewhere): coming back says nothing.
    std::vector<Tick> ticks = IdleFrom(0, 0, 700);
    ticks.push_back({701, 701, false});
    ticks.push_back({702, 0, false});
    EXPECT_EQ(Said(rules, ticks), std::vector<std::string>{});

    // Out and In again elsewhere while away: the time away counts from the new In.
    const TimeValue newIn = kIn + 650;
    ReminderRules again;
    again.SetLimits(10, 0);
    ticks = IdleFrom(0, 0, 649);
    for (std::int64_t s = 650; s <= 1300; ++s) ticks.push_back({s, s, true, newIn});
    ticks.push_back({1301, 0, true, newIn});
    EXPECT_EQ(Said(again, ticks), std::vector<std::string>{"away 650 1301"});

    ReminderRules tooShort;
    tooShort.SetLimits(10, 0);
    ticks = IdleFrom(0, 0, 700);
    ticks.push_back({701, 701, true, newIn});
    ticks.push_back({702, 0, true, newIn});
    EXPECT_EQ(Said(tooShort, ticks), std::vector<std::string>{});
}

// Events at seconds after the In: "lock+S" a lock began, "sleep-S" a suspend ended, "idleS:I"
// a tick with I seconds without input, "out" clocked out from then on. Prompts are said as
// "away <left> <back>" in seconds after the In.
TEST(ReminderRulesAbsence, aSuspendOrLockOfTheIdleLimitIsTimeAwayFromItsStart) {
    const std::vector<std::array<const char*, 3>> cases = {
        {"shorter than the limit", "sleep+100 sleep-699", ""},
        {"the limit", "sleep+100 sleep-700", " away 100 700"},
        {"a lock, a suspend in it", "lock+100 sleep+160 sleep-1800 lock-1830", " away 100 1830"},
        {"a suspend, locked at resume", "sleep+100 lock+1800 lock-1830 sleep-1835",
         " away 100 1835"},
        {"a lock told twice", "lock+100 lock+400 lock-800 lock-801", " away 100 800"},
        {"an unlock without its lock", "lock-1800", ""},
        {"not clocked in", "out sleep+100 sleep-1900", ""},
        {"locked before the In", "lock+-500 lock-600", " away 0 600"},
        {"input stopped before the lock, typed at the lock screen",
         "idle700:600 lock+750 idle800:0 lock-1300 idle1301:0", " away 100 1300"},
        {"two in a row", "sleep+0 sleep-600 lock+1000 lock-2000", " away 0 600 away 1000 2000"},
    };
    for (const auto& [name, events, said] : cases) {
        ReminderRules rules;
        rules.SetLimits(10, 0);
        std::istringstream in(events);
        std::string heard;
        bool clockedIn = true;
        for (std::string e; in >> e;) {
            long long at = 0;
            long long idle = 0;
            std::optional<AwayTime> away;
            clockedIn = clockedIn && e != "out";
            const Absence kind = e.starts_with("lock") ? Absence::Lock : Absence::Suspend;
            const std::size_t sign = e.find_first_of("+-");
            if (std::sscanf(e.c_str(), "idle%lld:%lld", &at, &idle) == 2) {
                away = rules.OnTick({clockedIn, kIn, kIn + at, idle}).away;
            } else if (sign != std::string::npos && e[sign] == '+') {
                rules.AbsenceBegan(kind, kIn + std::stoll(e.substr(sign + 1)));
            } else if (sign != std::string::npos) {
                at = std::stoll(e.substr(sign + 1));
                away = rules.AbsenceEnded(kind, {clockedIn, kIn, kIn + at, std::nullopt});
            }
            if (away) {
                heard += " away " + std::to_string(away->leftAt - kIn) + " " +
                         std::to_string(away->backAt - kIn);
            }
        }
        EXPECT_EQ(heard, said) << name;
    }
}

TEST(ReminderRulesLongDay, oncePerIn) {
    struct Case {
        const char* name;
        int longDayHours;
        std::vector<Tick> ticks;
        std::vector<std::string> said;
    };
    const TimeValue nextIn = kIn + 40000;
    const std::vector<Case> cases = {
        {"at the limit, once",
         10,
         {{35999, 0}, {36000, 0}, {36001, 0}, {50000, 0}},
         {"long 36000"}},
        {"a late first tick", 10, {{10, 0}, {40000, 0}, {40001, 0}}, {"long 40000"}},
        {"turned off", 0, {{36000, 0}, {90000, 0}}, {}},
        {"clocked out", 1, {{3600, 0, false}, {7200, 0, false}}, {}},
        {"a new In reminds again",
         1,
         {{3600, 0},
          {3700, 0},
          {40000, 0, false},
          {40000 + 3599, 0, true, nextIn},
          {40000 + 3600, 0, true, nextIn},
          {40000 + 3601, 0, true, nextIn}},
         {"long 3600", "long 43600"}},
        {"without an idle source", 1, {{3600, -1}}, {"long 3600"}},
    };
    for (const Case& c : cases) {
        ReminderRules rules;
        rules.SetLimits(0, c.longDayHours);
        EXPECT_EQ(Said(rules, c.ticks), c.said) << c.name;
    }
}

TEST(ReminderTexts, asTheUserReadsThem) {
    EXPECT_EQ(AwayText({At(2026, 12, 7, 12, 3, 0), At(2026, 12, 7, 13, 10, 0)}),
              "You were away from 12:03 to 13:10 (1:07:00) while clocked in.");
    EXPECT_EQ(AwayText({At(2026, 12, 7, 23, 50, 30), At(2026, 12, 8, 0, 5, 45)}),
              "You were away from 23:50 to 00:05 (0:15:15) while clocked in.");
    EXPECT_EQ(AwayText({At(2026, 12, 7, 8, 0, 0), At(2026, 12, 8, 20, 0, 0)}),
              "You were away from 08:00 to 20:00 (36:00:00) while clocked in.");
    EXPECT_EQ(LongDayText(At(2026, 12, 7, 8, 2, 0), At(2026, 12, 7, 18, 2, 0)),
              "You have been clocked in since 08:02 (10:00:00).");
    EXPECT_EQ(LongDayText(At(2026, 12, 7, 8, 2, 0), At(2026, 12, 7, 9, 3, 4)),
              "You have been clocked in since 08:02 (1:01:04).");
}

}  // namespace
}  // namespace tally::test
