// SPDX-License-Identifier: MIT
#include "log_generator.h"

#include <cerrno>
#include <ctime>
#include <random>

#include "log/record_layout.h"
#include "time/calendar.h"
#include "time/elapsed_time.h"

namespace tally::bench {
namespace {

constexpr int kMinute = 60;
constexpr int kHour = 3600;

struct CalendarDay {
    int year = 0;
    int month = 0;  // 0-11
    int day = 1;
    int weekday = 0;  // 0 Sunday

    void Advance() {
        weekday = (weekday + 1) % 7;
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 11) {
                month = 0;
                ++year;
            }
        }
    }
};

CalendarDay NewYearsDay(int year) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mday = 1;
    t.tm_hour = 12;
    timegm(&t);  // fills in the weekday without looking at the time zone
    return {year, 0, 1, t.tm_wday};
}

// One pair in seconds after midnight of its day; the Out never lies before the In.
struct Pair {
    int in = 0;
    int out = 0;
};

class DayPlanner {
  public:
    explicit DayPlanner(const LogShape& shape) : shape_(shape), rng_(shape.seed) {}

    // The pairs of one day in time order; none on a day off.
    void Plan(const CalendarDay& day, std::vector<Pair>& pairs) {
        pairs.clear();
        if (shape_.pairsPerDay > 0) {
            PlanDenseDay(pairs);
        } else {
            PlanWorkingDay(day, pairs);
        }
    }

  private:
    // Plain modulo keeps the sequence the same with every standard library.
    int Uniform(int lo, int hi) {
        return lo + static_cast<int>(rng_() % static_cast<std::uint32_t>(hi - lo + 1));
    }

    void PlanWorkingDay(const CalendarDay& day, std::vector<Pair>& pairs) {
        if (day.weekday == 0 || day.weekday == 6) return;
        if (Uniform(1, 100) <= 5) return;  // ill, on holiday, a public holiday
        const int roll = Uniform(1, 100);
        const int count = roll <= 30 ? 1 : roll <= 85 ? 2 : 3;
        int start = 7 * kHour + 30 * kMinute + Uniform(0, 2 * kHour);
        if (count == 1) {
            pairs.push_back({start, start + Uniform(7 * kHour, 9 * kHour + 30 * kMinute)});
            return;
        }
        // Morning, lunch break, afternoon, and sometimes an evening stint: at the latest
        // 09:30 + 4:00 + 1:00 + 4:30 + 2:30 + 2:00, which still ends before midnight.
        int end = start + Uniform(2 * kHour + 30 * kMinute, 4 * kHour);
        pairs.push_back({start, end});
        start = end + Uniform(30 * kMinute, kHour);
        end = start + Uniform(3 * kHour, 4 * kHour + 30 * kMinute);
        pairs.push_back({start, end});
        if (count == 3) {
            start = end + Uniform(kHour, 2 * kHour + 30 * kMinute);
            pairs.push_back({start, start + Uniform(45 * kMinute, 2 * kHour)});
        }
    }

    // Each pair keeps to its own slot of the day, so pairs never overlap.
    void PlanDenseDay(std::vector<Pair>& pairs) {
        const int slot = static_cast<int>(kSecondsPerDay) / shape_.pairsPerDay;
        for (int i = 0; i < shape_.pairsPerDay; ++i) {
            const int in = i * slot + Uniform(0, slot / 6);
            pairs.push_back({in, in + Uniform(slot / 4, slot * 3 / 4)});
        }
    }

    const LogShape& shape_;
    std::mt19937 rng_;
};

std::tm TmOf(const CalendarDay& day, int secondOfDay) {
    std::tm t{};
    t.tm_year = day.year - 1900;
    t.tm_mon = day.month;
    t.tm_mday = day.day;
    t.tm_wday = day.weekday;
    t.tm_hour = secondOfDay / kHour;
    t.tm_min = secondOfDay % kHour / kMinute;
    t.tm_sec = secondOfDay % kMinute;
    return t;
}

class LogWriter {
  public:
    explicit LogWriter(std::FILE* out) : out_(out) {}

    void Triple(const CalendarDay& day, const Pair& pair) {
        In(day, pair);
        Put(OutRecordLine(TmOf(day, pair.out)));
        Put(ElapsedLine(SplitSeconds(pair.out - pair.in)));
        ++triples_;
    }
    void In(const CalendarDay& day, const Pair& pair) { Put(InRecordLine(TmOf(day, pair.in))); }

    bool Ok() const { return ok_; }
    std::int64_t Bytes() const { return bytes_; }
    std::int64_t Triples() const { return triples_; }

  private:
    void Put(const std::string& line) {
        if (std::fwrite(line.data(), 1, line.size(), out_) != line.size()) ok_ = false;
        bytes_ += static_cast<std::int64_t>(line.size());
    }

    std::FILE* out_;
    bool ok_ = true;
    std::int64_t bytes_ = 0;
    std::int64_t triples_ = 0;
};

}  // namespace

const std::vector<LogPreset>& LogPresets() {
    static const std::vector<LogPreset> presets = {
        {"ten-years", "ten_years.log", {2014, 2023, 0, false, 10}},
        {"century", "century.log", {1990, 2089, 0, false, 100}},
        // 22,280 days of 45 pairs: 1,002,600 triples, 89.2 MB.
        {"million", "million.log", {1990, 2050, 45, false, 45}},
    };
    return presets;
}

std::optional<LogPreset> FindLogPreset(const std::string& name) {
    for (const LogPreset& p : LogPresets()) {
        if (p.name == name) return p;
    }
    return std::nullopt;
}

bool GenerateLog(const LogShape& shape, std::FILE* out, LogSummary* summary) {
    DayPlanner planner(shape);
    LogWriter writer(out);
    std::vector<Pair> pairs;
    // The last pair is held back so that it alone can be left open.
    bool pending = false;
    CalendarDay pendingDay;
    Pair pendingPair;
    std::int64_t days = 0;
    for (CalendarDay day = NewYearsDay(shape.firstYear); day.year <= shape.lastYear;
         day.Advance()) {
        planner.Plan(day, pairs);
        if (!pairs.empty()) ++days;
        for (const Pair& pair : pairs) {
            if (pending) writer.Triple(pendingDay, pendingPair);
            pending = true;
            pendingDay = day;
            pendingPair = pair;
        }
    }
    if (pending) {
        if (shape.openIn) {
            writer.In(pendingDay, pendingPair);
        } else {
            writer.Triple(pendingDay, pendingPair);
        }
    }
    if (summary != nullptr) *summary = {writer.Triples(), days, writer.Bytes()};
    return writer.Ok();
}

bool GenerateLogFile(const LogShape& shape, const std::string& path, LogSummary* summary) {
    const std::string partial = path + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (out == nullptr) return false;
    std::vector<char> buffer(1 << 20);
    std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
    const bool written = GenerateLog(shape, out, summary);
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        std::remove(partial.c_str());
        errno = saved;
        return false;
    }
    return true;
}

}  // namespace tally::bench
