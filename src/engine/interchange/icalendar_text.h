// SPDX-License-Identifier: MIT
#pragma once
// The closed pairs as iCalendar (RFC 5545) events for calendar programs. A pair starts at its
// In and lasts the time every figure counts for it, so a pair across a clock change ends where
// that time ends, not at its Out field read as a wall time. Times are the local zone's, named
// by TZID with a VTIMEZONE of its transitions over the years the events span; a time the zone
// shows twice (the hour repeated in autumn), and every time of a zone without a name, is
// written in UTC, so that no reader has to guess.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "interchange/pair_export.h"
#include "time/local_day_cache.h"
#include "time/local_time.h"

namespace tally {

// The name of the local time zone in the zoneinfo database ("Europe/Berlin"), from TZ, else
// from the link /etc/localtime makes into the database, else /etc/timezone; nothing when the
// zone has none (TZ holding a rule such as "CET-1CEST,M3.5.0,M10.5.0/3").
std::optional<std::string> LocalZoneName();

// The instants of a pair's event: its In (a time the clock skipped read as moved forward by the
// gap, one it showed twice at its first showing), and that plus the pair's counted seconds.
struct EventTimes {
    TimeValue start = 0;
    TimeValue end = 0;
};
EventTimes EventTimesOf(const ExportedPair& pair, LocalDayCache& days);

class ICalendarWriter {
  public:
    // years: the local years of the events' instants, which the VTIMEZONE describes (only
    // those, so that a log reaching far ahead costs nothing for the years between); logPath
    // names the log in every UID.
    ICalendarWriter(const CalendarExportOptions& options, const std::string& logPath,
                    const std::set<int>& years);

    // The calendar's opening lines and its VTIMEZONE.
    std::string Head() const;
    void AppendEvent(const ExportedPair& pair, std::string& text) const;
    static std::string Tail();

  private:
    struct Transition {
        TimeValue at = 0;
        long from = 0;  // offsets east of UTC, in seconds
        long to = 0;
        bool summer = false;
        std::string name;
    };

    // "DTSTART;TZID=Europe/Berlin:20240331T013000", or the UTC form "DTSTART:20240331T003000Z".
    std::string TimeLine(const char* property, TimeValue t) const;
    bool ShownOnce(TimeValue t, long offset) const;
    long OffsetAt(TimeValue t) const;  // east of UTC, in seconds

    // Instants from..to: the observance in force at from, then every change up to to.
    struct Span {
        TimeValue from = 0;
        TimeValue to = 0;
        std::vector<Transition> observances;
    };

    const CalendarExportOptions& options_;
    std::string identity_;
    std::vector<Span> spans_;  // one per run of consecutive years; none without a zone name
    mutable LocalDayCache days_;
};

}  // namespace tally
