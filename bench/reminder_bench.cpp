// SPDX-License-Identifier: MIT
// tally_bench_reminders: what the reminders cost on each one-second tick while clocked in
// (the budget is 1 ms): reading the open In and deciding, with an idle source that answers
// at once; and asking the X server for the idle time, where DISPLAY names one with the
// MIT-SCREEN-SAVER extension (under Xvfb, say).

#include <benchmark/benchmark.h>
#include <QWidget>

#include "bench_start.h"
#include "core/tally_engine.h"
#include "fake_reminder_services.h"
#include "log_text.h"
#include "reminders/reminder_controller.h"
#include "reminders/x11_idle_source.h"
#include "settings/reminder_settings.h"
#include "test_support.h"

namespace tally::bench {
namespace {

void ControllerTick(benchmark::State& state) {
    const test::TempDir dir;
    const std::string log = dir.File("TALLYBK.DAT");
    test::WriteFile(log, test::Triple("2026-12-07 08:00:00", "2026-12-07 12:00:00") +
                             test::In("2026-12-07 13:00:00"));
    test::FakeClock clock(test::At(2026, 12, 7, 14, 0, 0));
    test::RecordingReporter reporter;
    TallyEngine engine(clock, reporter);
    engine.Settings().DataLog = log;
    engine.ScanTimeLog();
    SettingsStore store(QString::fromStdString(dir.File("settings.ini")));
    WriteReminders(store.Raw(), {10, 10});
    test::FakeIdleSource idle;
    test::RecordingNotifier notifier;
    QWidget window;
    ReminderController controller(engine, clock, store, {&idle, notifier}, &window);
    for (auto _ : state) {
        clock.Advance(1);
        controller.OnTick();
    }
}

void X11IdleTime(benchmark::State& state) {
    const auto source = X11IdleSource::Open();
    if (!source) {
        state.SkipWithError("no X display with MIT-SCREEN-SAVER (set DISPLAY)");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(source->IdleSeconds());
}

}  // namespace
}  // namespace tally::bench

int main(int argc, char** argv) {
    using namespace tally::bench;
    tally::test::PinTimeZone();
    // With a display its own platform: the X11 measure needs one.
    return RunGuiBenchmarks(argc, argv, Screen::DisplayIfSet, [] {
        benchmark::RegisterBenchmark("ReminderTick/controller", ControllerTick)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("ReminderTick/x11_idle_time", X11IdleTime)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        return true;
    });
}
