// SPDX-License-Identifier: MIT
#include "log_text.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "log/record_layout.h"
#include "time/calendar.h"
#include "time/elapsed_time.h"

namespace tally::test {
namespace {

// The fields of a wall time "YYYY-MM-DD HH:MM:SS", its weekday included; nothing for other text.
bool ParseWallTime(const std::string& stamp, std::tm& t) {
    t = {};
    char end = 0;
    if (std::sscanf(stamp.c_str(), "%d-%d-%d %d:%d:%d%c", &t.tm_year, &t.tm_mon, &t.tm_mday,
                    &t.tm_hour, &t.tm_min, &t.tm_sec, &end) != 6) {
        return false;
    }
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    std::tm copy = t;
    timegm(&copy);  // the weekday of the date, whatever the time zone
    t.tm_wday = copy.tm_wday;
    return true;
}

// The instant of either form of stamp.
TimeValue InstantOf(const std::string& stamp) {
    std::tm t{};
    if (!ParseWallTime(stamp, t)) {
        char weekday[4] = {};
        char month[4] = {};
        if (std::sscanf(stamp.c_str(), "%3s %3s %d %d:%d:%d %d", weekday, month, &t.tm_mday,
                        &t.tm_hour, &t.tm_min, &t.tm_sec, &t.tm_year) != 7 ||
            LookupMonth(month) < 0) {
            throw std::invalid_argument("no time in the stamp '" + stamp + "'");
        }
        t.tm_year -= 1900;
        t.tm_mon = LookupMonth(month);
    }
    return FromLocalTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

}  // namespace

std::string In(const std::string& stamp) {
    std::tm t{};
    return ParseWallTime(stamp, t) ? InRecordLine(t) : kInPrefix + stamp + kLineEnd;
}

std::string Out(const std::string& stamp) {
    std::tm t{};
    return ParseWallTime(stamp, t) ? OutRecordLine(t) : kOutPrefix + stamp + kLineEnd;
}

std::string Elapsed(const std::string& hms) {
    return "Elapsed time of " + hms + "." + kLineEnd;
}

std::string Triple(const std::string& in, const std::string& out, const std::string& elapsed) {
    if (!elapsed.empty()) return In(in) + Out(out) + Elapsed(elapsed);
    const TimeValue seconds = std::max<TimeValue>(InstantOf(out) - InstantOf(in), 0);
    return In(in) + Out(out) + ElapsedLine(SplitSeconds(seconds));
}

std::string Triple(TimeValue in, TimeValue out) {
    return InRecordLine(ToLocalTm(in)) + OutRecordLine(ToLocalTm(out)) +
           ElapsedLine(SplitSeconds(std::max<TimeValue>(out - in, 0)));
}

std::string WorkingDays(int year, int month, int day, int days) {
    std::string log;
    for (int offset = 0; offset < days; ++offset) {
        log += Triple(FromLocalTime(year, month, day + offset, 9, 0, 0),
                      FromLocalTime(year, month, day + offset, 17, 0, 0));
    }
    return log;
}

}  // namespace tally::test
