// SPDX-License-Identifier: MIT
#include "interchange/icalendar_text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/version.h"
#include "time/c_format.h"
#include "time/wall_clock.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

// Six hours: no zone changes its clock twice within that, and a year takes 1461 looks.
constexpr TimeValue kProbeStep = 6 * 3600;
constexpr TimeValue kDay = 86400;
constexpr std::size_t kFoldOctets = 75;

// A name that the zoneinfo database holds, or nothing. Its posix/ copies are the zones
// themselves, under the names calendars know.
std::optional<std::string> ZoneFile(std::string name) {
    if (name.starts_with("posix/")) name.erase(0, 6);
    if (name.empty() || name.starts_with('/') || name.find("..") != std::string::npos) {
        return std::nullopt;
    }
    const char* dir = std::getenv("TZDIR");
    const fs::path file =
        fs::path(dir != nullptr && *dir != '\0' ? dir : "/usr/share/zoneinfo") / name;
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return std::nullopt;
    return name;
}

// The part of a path after its "zoneinfo/" folder.
std::optional<std::string> ZoneOfPath(const std::string& path) {
    const std::size_t at = path.rfind("zoneinfo/");
    if (at == std::string::npos) return std::nullopt;
    return ZoneFile(path.substr(at + 9));
}

struct LocalState {
    long offset = 0;
    bool summer = false;
    std::string name;
    bool operator==(const LocalState& other) const {
        return offset == other.offset && summer == other.summer;
    }
};

LocalState StateAt(TimeValue t) {
    const std::tm local = ToLocalTm(t);
    return {local.tm_gmtoff, local.tm_isdst > 0, local.tm_zone != nullptr ? local.tm_zone : ""};
}

std::string Stamp(const std::tm& t, const char* suffix = "") {
    return FormatC("%04d%02d%02dT%02d%02d%02d%s", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                   t.tm_hour, t.tm_min, t.tm_sec, suffix);
}

std::string UtcStamp(TimeValue t) {
    const std::time_t value = static_cast<std::time_t>(t);
    std::tm utc{};
    gmtime_r(&value, &utc);
    return Stamp(utc, "Z");
}

// The wall time an instant shows at an offset.
std::string WallStamp(TimeValue t, long offset) {
    return UtcStamp(t + offset).substr(0, 15);
}

std::string OffsetText(long offset) {
    const char sign = offset < 0 ? '-' : '+';
    const long a = offset < 0 ? -offset : offset;
    std::string text = FormatC("%c%02ld%02ld", sign, a / 3600, a / 60 % 60);
    if (a % 60 != 0) text += FormatC("%02ld", a % 60);
    return text;
}

// TEXT as RFC 5545 escapes it; control characters, which it cannot hold, become blanks.
std::string EscapedText(const std::string& text) {
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // the LF that follows writes the line break
        } else if (c == '\n' || c == '\r') {
            escaped += "\\n";
        } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) {
            escaped += ' ';
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// A content line folded at 75 octets, never inside a UTF-8 sequence, with CR LF.
void AppendLine(std::string& text, const std::string& line) {
    std::size_t start = 0;
    std::size_t room = kFoldOctets;
    while (line.size() - start > room) {
        std::size_t end = start + room;
        while (end > start + 1 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
        text.append(line, start, end - start);
        text += "\r\n ";
        start = end;
        room = kFoldOctets - 1;  // the blank that begins a continuation counts
    }
    text.append(line, start, std::string::npos);
    text += "\r\n";
}

// FNV-1a over the text from a given basis: two bases give the 128 bits of a UID.
std::uint64_t Fnv1a(const std::string& text, std::uint64_t hash) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace

std::optional<std::string> LocalZoneName() {
    if (const char* tz = std::getenv("TZ"); tz != nullptr) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        return name.starts_with('/') ? ZoneOfPath(name) : ZoneFile(name);
    }
    std::error_code error;
    const fs::path link = fs::read_symlink("/etc/localtime", error);
    if (!error) return ZoneOfPath(link.string());
    std::ifstream file("/etc/timezone");
    std::string name;
    if (std::getline(file, name)) return ZoneFile(name);
    return std::nullopt;
}

EventTimes EventTimesOf(const ExportedPair& pair, LocalDayCache& days) {
    const WallTime& in = pair.in;
    const TimeValue start =
        days.Time(in.date.year, in.date.month, in.date.day, in.hour, in.minute, in.second);
    return {start, start + pair.seconds};
}

ICalendarWriter::ICalendarWriter(const CalendarExportOptions& options, const std::string& logPath,
                                 const std::set<int>& years)
    : options_(options) {
    // The log's identity in a UID: its path, the same however it was named to tally.
    std::error_code error;
    const fs::path absolute = fs::absolute(logPath, error).lexically_normal();
    const fs::path canonical = fs::weakly_canonical(absolute, error);
    identity_ = (error ? absolute : canonical).string();
    if (!options.zone) return;

    for (auto year = years.begin(); year != years.end();) {
        auto last = year;
        while (std::next(last) != years.end() && *std::next(last) == *last + 1) ++last;
        // A day more at each end: a time near New Year may lie in a change just beyond it.
        Span span;
        span.from = FromLocalTime(*year, 1, 1, 0, 0, 0) - kDay;
        span.to = FromLocalTime(*last + 1, 1, 1, 0, 0, 0) + kDay;
        LocalState state = StateAt(span.from);
        span.observances.push_back(
            {span.from, state.offset, state.offset, state.summer, state.name});
        for (TimeValue t = span.from; t < span.to; t += kProbeStep) {
            const TimeValue next = std::min(t + kProbeStep, span.to);
            if (StateAt(next) == state) continue;
            TimeValue before = t;  // the change lies in (before, after]
            TimeValue after = next;
            while (after - before > 1) {
                const TimeValue middle = before + (after - before) / 2;
                (StateAt(middle) == state ? before : after) = middle;
            }
            const LocalState changed = StateAt(after);
            span.observances.push_back(
                {after, state.offset, changed.offset, changed.summer, changed.name});
            state = changed;
        }
        spans_.push_back(std::move(span));
        year = std::next(last);
    }
}

std::string ICalendarWriter::Head() const {
    std::string text;
    AppendLine(text, "BEGIN:VCALENDAR");
    AppendLine(text, "VERSION:2.0");
    AppendLine(text, std::string("PRODID:-//TallyBook//tally ") + kVersionString + "//EN");
    AppendLine(text, "CALSCALE:GREGORIAN");
    if (spans_.empty()) return text;
    AppendLine(text, "BEGIN:VTIMEZONE");
    AppendLine(text, "TZID:" + *options_.zone);
    for (const Span& span : spans_) {
        for (const Transition& t : span.observances) {
            const char* kind = t.summer ? "DAYLIGHT" : "STANDARD";
            AppendLine(text, std::string("BEGIN:") + kind);
            // The onset as the clock showed it before the change.
            AppendLine(text, "DTSTART:" + WallStamp(t.at, t.from));
            AppendLine(text, "TZOFFSETFROM:" + OffsetText(t.from));
            AppendLine(text, "TZOFFSETTO:" + OffsetText(t.to));
            if (!t.name.empty()) AppendLine(text, "TZNAME:" + EscapedText(t.name));
            AppendLine(text, std::string("END:") + kind);
        }
    }
    AppendLine(text, "END:VTIMEZONE");
    return text;
}

long ICalendarWriter::OffsetAt(TimeValue t) const {
    return static_cast<long>(WallCountOf(days_.Fields(t)) - t);
}

bool ICalendarWriter::ShownOnce(TimeValue t, long offset) const {
    for (const Span& span : spans_) {
        if (t < span.from || t >= span.to) continue;
        const TimeValue wall = t + offset;
        // Only a change within a day of t can make its wall time shown twice.
        auto change = std::lower_bound(span.observances.begin(), span.observances.end(), t - kDay,
                                       [](const Transition& c, TimeValue at) { return c.at < at; });
        for (; change != span.observances.end() && change->at <= t + kDay; ++change) {
            // Going back, the clock shows the wall times [at + to, at + from) twice.
            if (change->to < change->from && wall >= change->at + change->to &&
                wall < change->at + change->from) {
                return false;
            }
        }
        return true;
    }
    return false;  // beyond what the VTIMEZONE describes
}

std::string ICalendarWriter::TimeLine(const char* property, TimeValue t) const {
    const long offset = OffsetAt(t);
    if (!ShownOnce(t, offset)) return std::string(property) + ':' + UtcStamp(t);
    return std::string(property) + ";TZID=" + *options_.zone + ':' + WallStamp(t, offset);
}

void ICalendarWriter::AppendEvent(const ExportedPair& pair, std::string& text) const {
    const EventTimes times = EventTimesOf(pair, days_);
    const std::string key =
        identity_ + '\n' + ExportTimeText(pair.in) + '\n' + ExportTimeText(pair.out);
    AppendLine(text, "BEGIN:VEVENT");
    AppendLine(text, FormatC("UID:%016llx%016llx@tallybook",
                             static_cast<unsigned long long>(Fnv1a(key, 0xcbf29ce484222325ULL)),
                             static_cast<unsigned long long>(Fnv1a(key, 0x84222325cbf29ce4ULL))));
    AppendLine(text, "DTSTAMP:" + UtcStamp(options_.stamp));
    AppendLine(text, TimeLine("DTSTART", times.start));
    // An end must lie after the start: a pair of no length has none, and ends as it starts.
    if (times.end > times.start) AppendLine(text, TimeLine("DTEND", times.end));
    AppendLine(text, "SUMMARY:" + EscapedText(options_.summary));
    AppendLine(text, "END:VEVENT");
}

std::string ICalendarWriter::Tail() {
    std::string text;
    AppendLine(text, "END:VCALENDAR");
    return text;
}

}  // namespace tally
