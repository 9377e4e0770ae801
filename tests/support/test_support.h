// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the tests: a settable clock, a reporter that records, temporary
// folders, and whole-file reads and writes.

#include <filesystem>
#include <string>
#include <vector>

#include "log/reporter.h"
#include "test_environment.h"
#include "time/clock.h"
#include "time/local_time.h"

namespace tally::test {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(TimeValue now = 0) : now_(now) {}
    TimeValue Now() const override { return now_; }
    void Set(TimeValue now) { now_ = now; }
    void Advance(TimeValue seconds) { now_ += seconds; }
    // Sets the clock to a local wall time.
    void SetLocal(int year, int month1, int day, int hour, int minute, int second);

  private:
    TimeValue now_;
};

class RecordingReporter final : public Reporter {
  public:
    void Report(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

// The instant of a local wall time (FromLocalTime, short for tables of times).
inline TimeValue At(int year, int month1, int day, int hour, int minute, int second) {
    return FromLocalTime(year, month1, day, hour, minute, second);
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// Text with LF line ends turned into the CR LF of the time log; line ends that have their CR
// already keep it, so text built by log_text.h may be part of it.
std::string Crlf(const std::string& text);

// Moves the process to another time zone, or back to the tests' own one.
void PinTimeZone(const char* tz = kTestTimeZone);

}  // namespace tally::test
