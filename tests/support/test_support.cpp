// SPDX-License-Identifier: MIT
#include "test_support.h"

#include <unistd.h>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "time/local_time.h"

namespace tally::test {

void FakeClock::SetLocal(int year, int month1, int day, int hour, int minute, int second) {
    now_ = FromLocalTime(year, month1, day, hour, minute, second);
}

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "tally-test-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Crlf(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

void PinTimeZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
}

}  // namespace tally::test
