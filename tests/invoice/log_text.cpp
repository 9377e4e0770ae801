#include "log_text.h"

#include <cstdio>
#include <ctime>

#include "core/elapsed_time.h"
#include "core/punch_record.h"

namespace tally::test {
namespace {

// The fields of a wall time with its weekday, without the time zone taking part.
std::tm Parse(const std::string& text) {
    std::tm t{};
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                &t.tm_min, &t.tm_sec);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    std::tm copy = t;
    timegm(&copy);
    t.tm_wday = copy.tm_wday;
    return t;
}

}  // namespace

std::string Triple(const std::string& in, const std::string& out) {
    std::tm a = Parse(in);
    std::tm b = Parse(out);
    const long long seconds = static_cast<long long>(timegm(&b) - timegm(&a));
    return InRecordLine(a) + OutRecordLine(b) + ElapsedLine(SplitSeconds(seconds));
}

std::string OpenIn(const std::string& in) {
    return InRecordLine(Parse(in));
}

}  // namespace tally::test
